// The scenes are built the way a player would leave them: conveyors on cells, units taken from the
// palette within its allowances, then the run ticked frame by frame.
#include "support/view_scenes.h"

#include <algorithm>
#include <array>
#include <cassert>

#include "support/level_solutions.h"

namespace {

// One string per row, one character per column, as in the solved layouts.
void layConveyors(Level& level, const std::array<const char*, kFieldSize>& rows) {
  for (std::int32_t y = 0; y < kFieldSize; ++y) {
    for (std::int32_t x = 0; x < kFieldSize; ++x) level.cells[x][y] = std::max(0, level_solutions::cellContent(rows[y][x]));
  }
}

orvane::XUnit* placeFromPalette(Level& level, int entry, std::int32_t x, std::int32_t y) {
  assert(level.allowance[entry] > 0 && level.canPlaceUnit(x, y) && "scene places a unit where a player could not");
  level.allowance[entry] -= 1;
  return level.placeUnit(level.palette[entry]->clone(), Cell{x, y});
}

std::unique_ptr<Game> gameAfterIntro() {
  auto game = std::make_unique<Game>();
  game->introTimer = 0;
  return game;
}

}  // namespace

ViewScene levelSelectScene() {
  ViewScene scene{"level_select", gameAfterIntro()};
  for (int index : {0, 1, 2, 7}) scene.game->levels[index]->solved = true;
  scene.mouseX = 2 * 150;
  scene.mouseY = 2 * 75;
  return scene;
}

ViewScene stoppedLevelScene() {
  ViewScene scene{"stopped_level", gameAfterIntro()};
  scene.game->currentLevel = 11;
  Level& level = *scene.game->levels[11];
  layConveyors(level, {
                          "..v.v.v.v..",  // 0
                          "..v.v.v.v..",  // 1
                          "..>>v<<.v..",  // 2
                          "........v..",  // 3  trigger on columns 3-5
                          "........v..",  // 4
                          "..<<<v..v..",  // 5
                          "..v..v..v..",  // 6
                          "..v..v..v..",  // 7
                          "..v..v.....",  // 8
                          "..v..v.....",  // 9
                          "..v..v.....",  // 10
                      });
  placeFromPalette(level, kTriggerEntry, 3, 3)->toggle();
  // The accumulator dragged with the pointer over cell (7, 8), a free place: drawn green.
  level.dragging = true;
  level.dragIndex = kAccumulatorEntry;
  scene.mouseX = 2 * (16 + 16 * 7 + 5);
  scene.mouseY = 2 * (44 + 12 * 8 + 3);
  return scene;
}

ViewScene runningLevelScene() {
  ViewScene scene{"running_level", gameAfterIntro()};
  scene.game->currentLevel = 9;
  Level& level = *scene.game->levels[9];
  layConveyors(level, {
                          "vvvvvvvvvvv",  // 0
                          "vvvvvvvvvvv",  // 1
                          ">>v<<v>>v<<",  // 2
                          "..v..v..v..",  // 3
                          "..v.......v",  // 4  trigger on columns 4-6
                          "..v.......v",  // 5
                          "..v..v....v",  // 6
                          "..v..v...<<",  // 7
                          "...........",  // 8  swappers on columns 0-2, 3-5, 6-8
                          "...........",  // 9
                          "..v..v..v..",  // 10
                      });
  placeFromPalette(level, kTriggerEntry, 4, 4);
  placeFromPalette(level, kSwapperEntry, 0, 8);
  placeFromPalette(level, kSwapperEntry, 3, 8);
  placeFromPalette(level, kSwapperEntry, 6, 8);
  level.start();
  // One step and 37 ticks into the next: every block has entered row 0 and glides toward row 1.
  for (int tick = 0; tick < 64 + 37; ++tick) level.tick();
  assert(!level.failed && level.blocks.size() == 11 && "the running scene must still be running");
  // The pointer rests on the swapper entry of the palette, so its help replaces the hint.
  scene.mouseX = 2 * 270;
  scene.mouseY = 2 * 60;
  return scene;
}
