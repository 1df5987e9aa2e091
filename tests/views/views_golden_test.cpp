// Whole screens drawn through the real OpenGL engine (surfaceless, no X server) with the game's own
// pictures, compared with the reference pictures in tests/views/golden/. After an intended change
// of the art or the views, run tests/views/update-golden to draw the references again, look at them
// and commit them.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/headless_view.h"
#include "ge/graphic_engine_gl.h"
#include "support/png_file.h"
#include "support/view_scenes.h"
#include "tests/support/temporary_folder.h"

namespace {

const std::string kSourceDirectory = VARNELLE_SOURCE_DIR;
const std::string kGoldenDirectory = kSourceDirectory + "/tests/views/golden/";

// Software rasterisers may round a blend differently by a unit or two; anything more is a change.
constexpr int kChannelTolerance = 3;
// A few stray pixels are forgiven (a glyph edge from another FreeType build), not a moved tile.
constexpr int kMaximumDifferentPixels = 40;

// The engine and its five pictures, loaded once for the whole program.
HeadlessView& view() {
  static HeadlessView* const instance = new HeadlessView(kSourceDirectory + "/data/");
  return *instance;
}

bool updatingGolden() {
  const char* value = std::getenv("VARNELLE_UPDATE_GOLDEN");
  return value != nullptr && std::string(value) == "1";
}

void checkAgainstGolden(ViewScene scene) {
  constexpr int width = ge::GraphicEngineGL::kBackBufferWidth;
  constexpr int height = ge::GraphicEngineGL::kBackBufferHeight;
  const std::vector<std::uint8_t> actual = view().drawFrame(*scene.game, scene.mouseX, scene.mouseY);
  const std::string goldenPath = kGoldenDirectory + scene.name + ".png";
  std::string error;
  if (updatingGolden()) {
    ASSERT_TRUE(WritePng(goldenPath, width, height, actual, error)) << error;
    std::printf("wrote %s\n", goldenPath.c_str());
    return;
  }

  int goldenWidth = 0;
  int goldenHeight = 0;
  std::vector<std::uint8_t> golden;
  ASSERT_TRUE(ReadPng(goldenPath, goldenWidth, goldenHeight, golden, error))
      << error << "\n(run tests/views/update-golden to draw the reference pictures)";
  ASSERT_EQ(width, goldenWidth);
  ASSERT_EQ(height, goldenHeight);

  int differentPixels = 0;
  int firstX = -1;
  int firstY = -1;
  for (std::size_t pixel = 0; pixel < actual.size() / 3; ++pixel) {
    bool differs = false;
    for (std::size_t at = 3 * pixel; at < 3 * pixel + 3; ++at) differs |= std::abs(actual[at] - golden[at]) > kChannelTolerance;
    if (differs && differentPixels++ == 0) {
      firstX = static_cast<int>(pixel % width);
      firstY = static_cast<int>(pixel / width);
    }
  }
  if (differentPixels > kMaximumDifferentPixels) {
    const std::string actualPath = MakeKeptFolder("varnelle-golden") + scene.name + ".actual.png";
    WritePng(actualPath, width, height, actual, error);
    ADD_FAILURE() << differentPixels << " pixels differ from " << goldenPath << ", the first at display (" << firstX
                  << ", " << firstY << "); this frame is in " << actualPath;
  }
}

TEST(ViewsGolden, LevelSelectScreen) { checkAgainstGolden(levelSelectScene()); }

TEST(ViewsGolden, StoppedLevelWithADraggedUnit) { checkAgainstGolden(stoppedLevelScene()); }

TEST(ViewsGolden, LevelInTheMiddleOfARun) { checkAgainstGolden(runningLevelScene()); }

}  // namespace
