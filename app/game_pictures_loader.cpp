#include "app/game_pictures_loader.h"

#include "game/game_pictures.h"
#include "ge/texture_loader.h"

void LoadGamePictures(ge::XGraphicEngineAccess& engine, const std::string& dataFolder) {
  for (const GamePicture& picture : kGamePictures) {
    ge::LoadTexture(engine, picture.slot, (dataFolder + picture.file).c_str(), picture.alphaMode);
  }
}
