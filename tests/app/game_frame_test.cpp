// The game's frame: every call it makes of the engines, the game and the platform, written into one
// journal, in the order the frame makes them.
#include "app/game_frame.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "base/cp1251.h"
#include "base/display_geometry.h"
#include "game/screen_layout.h"
#include "ie/input_engine_scripted.h"
#include "se/sound_engine_silent.h"
#include "tests/support/recording_graphic_engine.h"

namespace {

using Journal = std::vector<std::string>;

std::string numbers(std::initializer_list<float> values) {
  std::ostringstream text;
  for (float value : values) text << ' ' << value;
  return text.str();
}

class JournalGraphicEngine final : public ge::XGraphicEngine {
 public:
  explicit JournalGraphicEngine(Journal& journal) : journal(journal) {}

  void BeginFrame() override { journal.push_back("graphics BeginFrame"); }
  void Clear(float r, float g, float b) override { journal.push_back("graphics Clear" + numbers({r, g, b})); }
  void EndFrame() override { journal.push_back("graphics EndFrame"); }
  void SetTexture(std::int32_t slot) override { journal.push_back("graphics SetTexture " + std::to_string(slot)); }
  void DrawQuad(const ge::Quad*) override { journal.push_back("graphics DrawQuad"); }
  void SetRenderTarget(std::int32_t slot) override {
    journal.push_back("graphics SetRenderTarget " + std::to_string(slot));
  }
  void DrawText(float x, float y, const char* text, float r, float g, float b, float a) override {
    journal.push_back("graphics DrawText" + numbers({x, y}) + " " + text + numbers({r, g, b, a}));
  }

 private:
  Journal& journal;
};

class JournalInputEngine final : public ie::XInputEngine {
 public:
  explicit JournalInputEngine(Journal& journal) : journal(journal) {}

  void Update() override { journal.push_back("input Update"); }
  void ClearKeys() override { journal.push_back("input ClearKeys"); }
  bool KeyChanged(std::int32_t, bool, bool) const override { return false; }
  bool KeyWasDown(std::int32_t) const override { return false; }
  bool KeyDown(std::int32_t) const override { return false; }
  std::int32_t MouseX() const override { return 0; }
  std::int32_t MouseY() const override { return 0; }
  bool ButtonChanged(std::int32_t, bool, bool) const override { return false; }
  bool ButtonWasDown(std::int32_t) const override { return false; }
  bool ButtonDown(std::int32_t) const override { return false; }

 private:
  Journal& journal;
};

class JournalSoundEngine final : public se::XSoundEngine {
 public:
  explicit JournalSoundEngine(Journal& journal) : journal(journal) {}

  void PlayMusic(int, float, bool) override { journal.push_back("sound PlayMusic"); }
  se::XSound* PlaySound(int, float, bool) override {
    journal.push_back("sound PlaySound");
    return nullptr;
  }
  void StopAllSounds() override { journal.push_back("sound StopAllSounds"); }
  void Update() override { journal.push_back("sound Update"); }

 private:
  Journal& journal;
};

// A game that draws one text through the engine it is given, so the journal shows where its
// drawing lands; its update answers `keepRunning`.
class JournalGame final : public FrameGame {
 public:
  explicit JournalGame(Journal& journal) : journal(journal) {}

  bool Update(const ie::XInputEngine& input) override {
    journal.push_back("game Update");
    updateInput = &input;
    return keepRunning;
  }
  void Draw(ge::XGraphicEngine& graphics, const ie::XInputEngine& input) override {
    journal.push_back("game Draw");
    drawInput = &input;
    graphics.DrawText(1.0f, 2.0f, "game", 1.0f, 1.0f, 1.0f, 1.0f);
  }

  bool keepRunning = true;
  const ie::XInputEngine* updateInput = nullptr;
  const ie::XInputEngine* drawInput = nullptr;

 private:
  Journal& journal;
};

class GameFrameTest : public testing::Test {
 protected:
  GameFrameTest() {
    platform.beforeEndFrame = [this] { journal.push_back("platform beforeEndFrame"); };
    platform.gameAskedToEnd = [this] { journal.push_back("platform gameAskedToEnd"); };
  }

  bool runFrame() { return RunGameFrame({graphics, input, sound}, game, platform); }

  Journal journal;
  JournalGraphicEngine graphics{journal};
  JournalInputEngine input{journal};
  JournalSoundEngine sound{journal};
  JournalGame game{journal};
  FramePlatform platform;
};

// With or without the platform's hooks, and whether the game goes on or asks to end: the frame's
// whole journal.
TEST_F(GameFrameTest, AFrameReadsInputThenUpdatesSoundAndGameAndDrawsBetweenClearAndEndFrame) {
  const Journal start = {"input Update", "graphics BeginFrame", "sound Update", "graphics Clear 0 0 0", "game Update"};
  const Journal drawn = {"game Draw", "graphics DrawText 1 2 game 1 1 1 1"};
  const struct {
    const char* what;
    bool hooks, keepRunning;
    Journal rest;  // after the start
  } cases[] = {
      {"a frame", true, true, {drawn[0], drawn[1], "platform beforeEndFrame", "graphics EndFrame"}},
      {"without hooks", false, true, {drawn[0], drawn[1], "graphics EndFrame"}},
      // Nothing is drawn or presented once the game asks to end; the platform is told at once.
      {"asked to end", true, false, {"platform gameAskedToEnd"}},
      {"asked to end without hooks", false, false, {}},
  };
  for (const auto& c : cases) {
    journal.clear();
    game.keepRunning = c.keepRunning;
    EXPECT_EQ(c.keepRunning, c.hooks ? runFrame() : RunGameFrame({graphics, input, sound}, game)) << c.what;
    Journal expected = start;
    expected.insert(expected.end(), c.rest.begin(), c.rest.end());
    EXPECT_EQ(expected, journal) << c.what;
  }
}

TEST_F(GameFrameTest, WithoutTheFocusTheKeysAreClearedRightAfterTheInputUpdate) {
  platform.windowHasFocus = false;
  runFrame();
  ASSERT_GE(journal.size(), 3u);
  EXPECT_EQ((Journal{"input Update", "input ClearKeys", "graphics BeginFrame"}), Journal(journal.begin(), journal.begin() + 3));
}

TEST_F(GameFrameTest, TheGameReadsTheFramesInputEngine) {
  runFrame();
  EXPECT_EQ(&input, game.updateInput);
  EXPECT_EQ(&input, game.drawInput);
}

TEST_F(GameFrameTest, TheLoadingFrameIsTheGreenLoadingLineOnBlack) {
  ShowLoadingFrame(graphics);
  EXPECT_EQ((Journal{"graphics BeginFrame", "graphics Clear 0 0 0",
                     std::string("graphics DrawText 50 0 ") + "Загрузка..."_cp1251 + " 0 1 0 0.92",
                     "graphics EndFrame"}),
            journal);
}

// The real game through the frame: a left click on the first level-select cell, as the input
// engine reports it at the frame's start.
class GameFrameOnTheGameTest : public testing::Test {
 protected:
  GameFrameOnTheGameTest() {
    gameState.introTimer = 0;
    const ScreenRect cell = levelCellRect(0);
    input.SetPointer(display::ToBackBuffer(cell.x + 1), display::ToBackBuffer(cell.y + 1));
    input.Update();
    input.SetButton(0, true);
  }

  Game gameState;
  RecordingGraphicEngine graphics;
  ie::ScriptedInputEngine input;
  se::SilentSoundEngine sound;
};

TEST_F(GameFrameOnTheGameTest, APlayedGameTakesTheClickInTheFrameItArrives) {
  PlayedGame played(gameState);
  EXPECT_TRUE(RunGameFrame({graphics, input, sound}, played));
  EXPECT_EQ(0, gameState.currentLevel);
}

TEST_F(GameFrameOnTheGameTest, AShownGameIsDrawnAsItStandsAndTakesNoInput) {
  ShownGame shown(gameState);
  EXPECT_TRUE(RunGameFrame({graphics, input, sound}, shown));
  EXPECT_EQ(kNoLevel, gameState.currentLevel);
  EXPECT_FALSE(graphics.texts().empty()) << "the level-select screen is drawn";
}

}  // namespace
