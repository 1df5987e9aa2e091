// The scenes are built the way a player would leave them: conveyors on cells, units taken from the
// palette within its allowances, then the run ticked frame by frame.
#include "support/view_scenes.h"

#include <cassert>

#include "support/level_layout.h"
#include "support/level_solutions.h"

namespace {

using level_solutions::kLeft;
using level_solutions::kRight;

// The scenes are fixed, so a layout a player could not make is a mistake in this file.
void lay(Level& level, const std::array<const char*, kFieldSize>& rows) {
  [[maybe_unused]] const std::string problem = layout::layConveyors(level, rows);
  assert(problem.empty() && "scene lays a grid a player could not");
}

void place(Level& level, const level_solutions::Placement& placement) {
  [[maybe_unused]] const std::string problem = layout::placeFromPalette(level, placement);
  assert(problem.empty() && "scene places a unit where a player could not");
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
  lay(level, {
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
  place(level, {kTriggerEntry, 3, 3, kRight});
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
  lay(level, {
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
  place(level, {kTriggerEntry, 4, 4, kLeft});
  place(level, {kSwapperEntry, 0, 8, kLeft});
  place(level, {kSwapperEntry, 3, 8, kLeft});
  place(level, {kSwapperEntry, 6, 8, kLeft});
  level.start();
  // One step and 37 ticks into the next: every block has entered row 0 and glides toward row 1.
  for (int tick = 0; tick < 64 + 37; ++tick) level.tick();
  assert(!level.failed && level.blocks.size() == 11 && "the running scene must still be running");
  // The pointer rests on the swapper entry of the palette, so its help replaces the hint.
  scene.mouseX = 2 * 270;
  scene.mouseY = 2 * 60;
  return scene;
}
