// Drawing a frame: the intro, the title and level-select screen, or the open level.
#pragma once

#include "game/game.h"
#include "ge/graphic_engine.h"
#include "ie/input_engine.h"

// Draws through the program-wide pointers; counts the intro down.
void drawGame();
void drawGame(Game& game, ge::XGraphicEngine& engine, const ie::XInputEngine& input);

// The level view: the whole open level redrawn from its fields.
void drawLevel(ge::XGraphicEngine& engine, const Level& level, const ie::XInputEngine& input);
