// The game object: the catalogue, the intro countdown and the open level.
#include "game/game.h"

#include "game/catalogue.h"

Game::Game() {
  levels.clear();
  currentLevel = kNoLevel;
  introTimer = kIntroFrames;
  buildCatalogue(*this);
}
