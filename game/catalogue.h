// The thirteen levels of the game, built in code.
#pragma once

struct Game;

// Appends the catalogue's levels to game.levels, level 1 first.
void buildCatalogue(Game& game);
