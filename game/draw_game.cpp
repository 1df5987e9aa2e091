// One frame of the game: the intro with its two fading logos, the title and level-select screen,
// or the open level. Counting the intro down happens here, one frame per drawn frame.
#include "game/draw_game.h"

#include <algorithm>
#include <cstdint>

#include "base/cp1251.h"
#include "game/format_text.h"
#include "game/game_globals.h"
#include "game/screen_layout.h"
#include "game/sheet_drawing.h"
#include "ge/quad.h"

namespace {

// Frames over which each logo fades in and out.
constexpr std::int32_t kFadeFrames = 30;
// The first logo shows while the intro counter is above this, the second one below.
constexpr std::int32_t kSecondLogoFrames = 120;

void drawLogo(ge::XGraphicEngine& engine, std::int32_t slot, float x, float y, float size, std::int32_t fade) {
  engine.SetTexture(slot);
  ge::Quad quad;
  ge::MakeQuad(quad, x, y, size, size);
  ge::TintQuad(quad, 1.0f, 1.0f, 1.0f, static_cast<float>(fade) / static_cast<float>(kFadeFrames));
  engine.DrawQuad(&quad);
}

void drawIntro(ge::XGraphicEngine& engine, Game& game) {
  const std::int32_t t = game.introTimer;
  // Each logo fades in over its first frames and out over its last; both centred on (160, 120).
  if (t > kSecondLogoFrames && t <= kIntroFrames) {
    const std::int32_t fade = std::min({t - kSecondLogoFrames, kIntroFrames - t, kFadeFrames});
    drawLogo(engine, ge::kLogoSlot, 110.0f, 70.0f, 100.0f, fade);
  } else if (t > 0 && t <= kSecondLogoFrames) {
    const std::int32_t fade = std::min({t, kSecondLogoFrames - t, kFadeFrames});
    drawLogo(engine, ge::kSplashSlot, 60.0f, 20.0f, 200.0f, fade);
  }
  game.introTimer -= 1;
}

// The credits are centred at x = 50, left of the level grid, which begins at x = 110.
void drawTitleTexts(ge::XGraphicEngine& engine) {
  engine.DrawText(50.0f, 15.0f, "Varnelle\nv" VARNELLE_VERSION, 1.0f, 1.0f, 1.0f, 0.94f);
  engine.DrawText(50.0f, 60.0f, "Посвящается\nвсем игрокам"_cp1251, 0.5f, 0.7f, 0.5f, 0.94f);
  engine.DrawText(50.0f, 90.0f, "Команда\nVarnelle:\nидея, арт, код"_cp1251, 0.5f, 0.5f, 0.7f, 0.94f);
  engine.DrawText(50.0f, 140.0f, "Команда\nVarnelle:\nмузыка,\nнаш синтезатор"_cp1251, 0.7f, 0.5f, 0.5f, 0.94f);
  engine.DrawText(50.0f, 200.0f, "Enjoy!", 0.9f, 0.9f, 0.5f, 0.94f);
  engine.DrawText(160.0f, 220.0f, "© Команда Varnelle, 2026"_cp1251, 0.3f, 0.3f, 0.3f, 0.94f);
}

// One cell per level; the cells are exactly the areas a click picks. The label, the difficulty
// strip and the solved mark lie inside the cell, across its whole width.
void drawLevelGrid(ge::XGraphicEngine& engine, const Game& game) {
  engine.SetTexture(ge::kButtonSheetSlot);
  for (std::size_t index = 0; index < game.levels.size(); ++index) {
    const Level& level = *game.levels[index];
    const ScreenRect cell = levelCellRect(static_cast<std::int32_t>(index));
    drawSheetRect(engine, kLevelCellTile, cell.x, cell.y, cell.width, cell.height);
    char label[20];
    formatText(label, "LVL%d", static_cast<int>(index + 1));
    engine.DrawText(static_cast<float>(cell.x + cell.width / 2), static_cast<float>(cell.y + 1), label, 1.0f, 1.0f, 1.0f,
                    1.0f);
    // A level without a difficulty of the three shows no strip.
    if (level.difficulty >= 1 && level.difficulty <= 3) {
      drawSheetRect(engine, difficultyStrip(level.difficulty), cell.x, cell.y + 15, cell.width, 10);
    }
    if (level.solved) drawSheetRect(engine, kSolvedMarkTile, cell.x, cell.y + 27, cell.width, 10);
  }
}

}  // namespace

void drawGame(Game& game, ge::XGraphicEngine& engine, const ie::XInputEngine& input) {
  if (game.introTimer != 0) {
    drawIntro(engine, game);
    return;
  }
  if (game.currentLevel == kNoLevel) {
    drawTitleTexts(engine);
    drawLevelGrid(engine, game);
    return;
  }
  // Only a cell of the grid opens a level, so the index is always one of the catalogue's.
  if (game.currentLevel < 0 || static_cast<std::size_t>(game.currentLevel) >= game.levels.size()) return;
  drawLevel(engine, *game.levels[game.currentLevel], input);
}

void drawGame() { drawGame(*game, *graphicAdapter, *inputEngine); }
