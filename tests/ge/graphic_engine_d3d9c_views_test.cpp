// The views' reference scenes drawn through the Direct3D 9 engine under Wine with the game's own
// pictures, as the Linux engine draws them headless for tests/views/golden/. Text cannot match:
// Wine's GDI antialiases its glyphs its own way. So every pixel away from the text lines is
// compared with the reference picture, and the text itself is checked apart: drawn again without
// it, the picture changes only on the text lines, and on every glyph's solid ink.
#include "ge/graphic_engine_d3d9c.h"

#include <gtest/gtest.h>

#include <windows.h>
#undef DrawText

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/game_frame.h"
#include "app/game_pictures_loader.h"
#include "ge/graphic_engine_adapter.h"
#include "ge/text_layout.h"
#include "ie/input_engine_scripted.h"
#include "se/sound_engine_silent.h"
#include "support/view_scenes.h"
#include "tests/ge/d3d9_test_support.h"
#include "tests/support/temporary_folder.h"

namespace {

const std::string kSourceDirectory = VARNELLE_SOURCE_DIR;
constexpr int kWidth = display::kBackBufferWidth;
constexpr int kHeight = display::kBackBufferHeight;
// Logical pixels kept clear around each text line: the two fonts' antialiased edges and their
// slightly different ascents stay inside.
constexpr int kTextMargin = 2;

struct TextCall {
  float x;
  float y;
  std::string text;
};

// Passes a frame's calls on to the adapter, noting its texts, and leaving them out when asked.
class TextRecorder final : public ge::XGraphicEngine {
 public:
  TextRecorder(ge::XGraphicEngine& next, bool drawTexts) : next(next), drawTexts(drawTexts) {}
  void BeginFrame() override {
    texts.clear();
    next.BeginFrame();
  }
  void Clear(float r, float g, float b) override { next.Clear(r, g, b); }
  void EndFrame() override { next.EndFrame(); }
  void SetTexture(std::int32_t slot) override { next.SetTexture(slot); }
  void DrawQuad(const ge::Quad* quad) override { next.DrawQuad(quad); }
  void SetRenderTarget(std::int32_t slot) override { next.SetRenderTarget(slot); }
  void DrawText(float x, float y, const char* text, float r, float g, float b, float a) override {
    texts.push_back({x, y, text});
    if (drawTexts) next.DrawText(x, y, text, r, g, b, a);
  }

  std::vector<TextCall> texts;

 private:
  ge::XGraphicEngine& next;
  bool drawTexts;
};

// The engine with the game's five pictures on a window of its own, drawing one view at a time as
// the Linux headless view does: a black frame first, so that the picture depends on this frame alone.
class Direct3DView {
 public:
  Direct3DView() {
    SetCurrentDirectoryA(TestFolder().c_str());
    window = CreateTestWindow(kWidth, kHeight);
    engine = new ge::GraphicEngineD3D9c(window, true);
    LoadGamePictures(*engine, kSourceDirectory + "/data/");
  }

  std::vector<std::uint8_t> drawFrame(ViewScene& scene, bool drawTexts, std::vector<TextCall>& texts) {
    ge::ZGraphicEngineAdapter adapter(engine);
    TextRecorder recorder(adapter, drawTexts);
    ie::ScriptedInputEngine input;
    input.SetPointer(scene.mouseX, scene.mouseY);
    se::SilentSoundEngine sound;
    const FrameEngines engines{recorder, input, sound};
    NoGame nothing;
    RunGameFrame(engines, nothing);
    ShownGame shown(*scene.game);
    RunGameFrame(engines, shown);
    texts = recorder.texts;
    std::vector<std::uint8_t> rgb;
    engine->ReadBackBuffer(rgb);
    return rgb;
  }

  const ge::FontAtlas& font() const { return engine->Font(); }

 private:
  HWND window = nullptr;
  ge::GraphicEngineD3D9c* engine = nullptr;  // lives until the program ends, as in the game
};

Direct3DView& view() {
  static Direct3DView* const instance = new Direct3DView();
  return *instance;
}

// Display pixels on or near the text lines, whatever the font: each line's advances from the
// engine's font, widened by the margin.
std::vector<bool> textMask(const ge::FontAtlas& font, const std::vector<TextCall>& texts) {
  std::vector<bool> mask(static_cast<std::size_t>(kWidth) * kHeight, false);
  const auto cover = [&](int left, int top, int right, int bottom) {
    for (int y = std::max(0, top * 2); y < std::min(kHeight, bottom * 2); ++y) {
      for (int x = std::max(0, left * 2); x < std::min(kWidth, right * 2); ++x) {
        mask[static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x)] = true;
      }
    }
  };
  for (const TextCall& call : texts) {
    int top = ge::TruncateCoordinate(call.y);
    for (const char* line = call.text.c_str();; ++line) {
      const int width = ge::LineWidth(font, line);
      const int left = ge::TruncateCoordinate(call.x) - width / 2;
      cover(left - kTextMargin, top - kTextMargin, left + width + 1 + kTextMargin, top + font.lineHeight + kTextMargin);
      line = std::strchr(line, '\n');
      if (line == nullptr) break;
      top += font.lineHeight;
    }
  }
  return mask;
}

bool differs(const std::vector<std::uint8_t>& one, const std::vector<std::uint8_t>& other, std::size_t pixel,
             int tolerance) {
  for (std::size_t at = 3 * pixel; at < 3 * pixel + 3; ++at) {
    if (std::abs(one[at] - other[at]) > tolerance) return true;
  }
  return false;
}

class GraphicEngineD3D9cViews : public ::testing::TestWithParam<ViewScene (*)()> {
 protected:
  void SetUp() override {
    scene = GetParam()();
    withText = view().drawFrame(scene, true, texts);
    std::vector<TextCall> unused;
    withoutText = view().drawFrame(scene, false, unused);
    mask = textMask(view().font(), texts);
  }

  ViewScene scene;
  std::vector<TextCall> texts;
  std::vector<std::uint8_t> withText;
  std::vector<std::uint8_t> withoutText;
  std::vector<bool> mask;
};

TEST_P(GraphicEngineD3D9cViews, PictureAwayFromTheTextEqualsTheLinuxReference) {
  const std::string goldenPath = kSourceDirectory + "/tests/views/golden/" + scene.name + ".png";
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> golden;
  std::string error;
  ASSERT_TRUE(ReadPngThroughWic(goldenPath, width, height, golden, error)) << error;
  ASSERT_EQ(kWidth, width);
  ASSERT_EQ(kHeight, height);

  int compared = 0;
  int different = 0;
  int firstX = -1;
  int firstY = -1;
  for (std::size_t pixel = 0; pixel < mask.size(); ++pixel) {
    if (mask[pixel]) continue;
    ++compared;
    // Exact: wined3d and the Linux engine blend on the same software rasteriser here. (The Linux
    // golden test forgives 3 per channel for another rasteriser's rounding.)
    if (differs(withText, golden, pixel, 0) && different++ == 0) {
      firstX = static_cast<int>(pixel % kWidth);
      firstY = static_cast<int>(pixel / kWidth);
    }
  }
  // The text lines are a small part of any screen: most of it is compared.
  EXPECT_GT(compared, kWidth * kHeight / 2);
  EXPECT_EQ(0, different) << "the first at display (" << firstX << ", " << firstY << ")";
}

TEST_P(GraphicEngineD3D9cViews, TextChangesThePictureOnlyOnItsLines) {
  ASSERT_FALSE(texts.empty());
  int outside = 0;
  for (std::size_t pixel = 0; pixel < mask.size(); ++pixel) {
    if (!mask[pixel] && differs(withText, withoutText, pixel, 0)) ++outside;
  }
  EXPECT_EQ(0, outside);
}

// Where a glyph's ink is solid in the font, the text drawn shows on the picture: every glyph,
// the Cyrillic ones included, is there and in its place.
TEST_P(GraphicEngineD3D9cViews, EveryGlyphShowsItsInk) {
  const ge::FontAtlas& font = view().font();
  int cyrillicGlyphs = 0;
  int glyphs = 0;
  for (const TextCall& call : texts) {
    std::size_t byteIndex = 0;
    ge::LayOutText(font, call.x, call.y, call.text.c_str(), [&](const ge::GlyphBox& box, int left, int top) {
      while (byteIndex < call.text.size() &&
             &font.glyphs[static_cast<unsigned char>(call.text[byteIndex])] != &box) {
        ++byteIndex;
      }
      const bool cyrillic = byteIndex < call.text.size() && static_cast<unsigned char>(call.text[byteIndex]) >= 0xC0;
      ++byteIndex;
      int solid = 0;
      int shown = 0;
      for (int y = 0; y < box.height; ++y) {
        for (int x = 0; x < box.width; ++x) {
          const int coverage =
              font.coverage[static_cast<std::size_t>(box.atlasY + y) * font.width + static_cast<std::size_t>(box.atlasX + x)];
          const int displayX = (left + x) * 2;
          const int displayY = (top + y) * 2;
          if (coverage < 192 || displayX < 0 || displayY < 0 || displayX >= kWidth || displayY >= kHeight) continue;
          ++solid;
          const std::size_t pixel = static_cast<std::size_t>(displayY) * kWidth + static_cast<std::size_t>(displayX);
          if (differs(withText, withoutText, pixel, 0)) ++shown;
        }
      }
      if (solid == 0) return;
      ++glyphs;
      cyrillicGlyphs += cyrillic ? 1 : 0;
      EXPECT_GE(shown * 10, solid * 9) << "glyph at logical (" << left << ", " << top << ") of \"" << call.text
                                       << "\" shows " << shown << " of its " << solid << " solid pixels";
    });
  }
  EXPECT_GT(glyphs, 0);
  EXPECT_GT(cyrillicGlyphs, 0);
}

std::string sceneName(const ::testing::TestParamInfo<ViewScene (*)()>& info) {
  const char* const names[] = {"LevelSelect", "StoppedLevel", "RunningLevel"};
  return names[info.index];
}

INSTANTIATE_TEST_SUITE_P(Scenes, GraphicEngineD3D9cViews,
                         ::testing::Values(&levelSelectScene, &stoppedLevelScene, &runningLevelScene), sceneName);

}  // namespace
