// Fixed game states for pictures of the views: the level-select screen, a stopped level being
// edited and the busiest level in the middle of a run. Shared by the golden pictures and the frame
// benchmark, so that both look at the same screens.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "game/game.h"

struct ViewScene {
  std::string name;
  std::unique_ptr<Game> game;
  // Display pixels; the views read them halved.
  std::int32_t mouseX = 0;
  std::int32_t mouseY = 0;
};

// The title and the grid of levels, four of them solved.
ViewScene levelSelectScene();
// Level 12 stopped: conveyors, a trigger turned to the right, the accumulator dragged over a free
// place, the queues shown above the field.
ViewScene stoppedLevelScene();
// Level 10 running with all eleven blocks in play, gliding between rows, and its four units placed.
ViewScene runningLevelScene();
