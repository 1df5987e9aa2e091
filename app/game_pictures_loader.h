// Loading the game's five pictures (game/game_pictures.h) into their texture slots. The game
// reads them from "../data/" beside its build folder; tools, tests and benchmarks point at the
// source tree's data/ folder instead. Any problem with a file ends the program with a "GE" error.
#pragma once

#include <string>

namespace ge {
class XGraphicEngineAccess;
}

// `dataFolder` ends with a slash; each picture's file name is appended to it.
void LoadGamePictures(ge::XGraphicEngineAccess& engine, const std::string& dataFolder);
