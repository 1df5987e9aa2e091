// The game's response to the player: level select, and editing and running the open level.
#pragma once

#include "game/game.h"
#include "ie/input_engine.h"

// One frame of input for the game held by the program-wide pointers; always true.
bool updateGame();
bool updateGame(Game& game, const ie::XInputEngine& input);

// Palette drags, conveyor and unit clicks, and the Run, Stop, Clear and Exit buttons.
void handleLevelInput(Level& level, const ie::XInputEngine& input);
