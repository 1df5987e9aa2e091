// The game's root: the catalogue of thirteen levels, the intro countdown and the open level.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "game/level.h"

inline constexpr std::int32_t kIntroFrames = 240;
inline constexpr std::int32_t kNoLevel = -1;

struct Game {
  Game();

  std::vector<std::unique_ptr<Level>> levels;  // index 0 is level 1
  std::int32_t introTimer = kIntroFrames;     // frames of the intro still to show
  std::int32_t currentLevel = kNoLevel;       // index of the open level, −1 on the level-select screen
};
