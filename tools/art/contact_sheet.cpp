// varnelle-contact-sheet: one PNG for looking at the art. It shows every picture read back from the
// data folder, enlarged, with its tiles outlined and named, and three screens drawn by the game's
// own views on the headless OpenGL engine (a stopped and a running level with made-up contents, and
// the level select), so that overlaps, see-through black and the two unit layers can be judged as
// the player sees them. The engine's log lines go to the console and to "Log.log".
// Usage: varnelle-contact-sheet output.png [data folder, default "../data"]
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/headless_view.h"
#include "game/game.h"
#include "game/game_pictures.h"
#include "game/screen_layout.h"
#include "game/sheet_layout.h"
#include "ge/bmp_image.h"
#include "ge/graphic_engine_gl.h"
#include "support/png_file.h"
#include "tools/art/canvas.h"
#include "tools/art/pixel_font.h"

namespace {

using art::Canvas;
using art::Colour;

struct Sheet {
  ge::BmpImage image;
  std::string label;             // file name, size and alpha mode
  bool seeThroughBlack = false;  // the "Auto" sheets: pure black is transparent
};

// The game's pictures as files, keyed by texture slot.
using Sheets = std::map<std::int32_t, Sheet>;

struct Region {
  SheetRect tile;
  const char* label;
};

constexpr Colour kBackground{40, 40, 46};
constexpr Colour kGrid{255, 0, 200};
constexpr Colour kLabel{255, 255, 140};

Colour texel(const Sheet& sheet, int x, int y) {
  const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(sheet.image.width) + static_cast<std::size_t>(x)) * 3;
  return {sheet.image.rgb[at], sheet.image.rgb[at + 1], sheet.image.rgb[at + 2]};
}

bool isSeeThrough(const Sheet& sheet, Colour colour) { return sheet.seeThroughBlack && colour == art::kClear; }

// The sheet enlarged `scale` times; see-through pixels as a grey checkerboard.
void drawEnlarged(Canvas& out, const Sheet& sheet, int left, int top, int scale) {
  for (int y = 0; y < sheet.image.height * scale; ++y) {
    for (int x = 0; x < sheet.image.width * scale; ++x) {
      const Colour colour = texel(sheet, x / scale, y / scale);
      const bool light = ((x / 4) + (y / 4)) % 2 == 0;
      out.set(left + x, top + y, isSeeThrough(sheet, colour) ? (light ? Colour{90, 90, 96} : Colour{70, 70, 76}) : colour);
    }
  }
}

void drawLabel(Canvas& out, int x, int y, const std::string& text, Colour colour = kLabel) {
  out.fillRect(x - 1, y - 1, art::TextWidth(text) + 2, art::kGlyphHeight + 2, {16, 16, 20});
  art::DrawText(out, x, y, text, colour);
}

void drawRegions(Canvas& out, const std::vector<Region>& regions, int left, int top, int scale) {
  for (const Region& region : regions) {
    const SheetRect& tile = region.tile;
    out.frameRect(left + tile.x * scale, top + tile.y * scale, tile.width * scale + 1, tile.height * scale + 1, kGrid);
    drawLabel(out, left + tile.x * scale + 2, top + tile.y * scale + 2, region.label);
  }
}

std::string upperCase(std::string text) {
  for (char& letter : text) letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  return text;
}

bool readSheets(const std::string& folder, Sheets& sheets) {
  for (const GamePicture& picture : kGamePictures) {
    Sheet& sheet = sheets[picture.slot];
    std::string error;
    const std::string path = folder + "/" + picture.file;
    if (!ge::ReadBmpFile(path.c_str(), sheet.image, error)) {
      std::fprintf(stderr, "varnelle-contact-sheet: %s: %s\n", path.c_str(), error.c_str());
      return false;
    }
    sheet.seeThroughBlack = std::string(picture.alphaMode) == "Auto";
    sheet.label = upperCase(std::string(picture.file) + " " + std::to_string(sheet.image.width) + "x" +
                            std::to_string(sheet.image.height) + " (" + picture.alphaMode + ")");
  }
  return true;
}

// ---- Screens drawn by the game's own views ----

void copyFrame(Canvas& out, const std::vector<std::uint8_t>& rgb, int left, int top) {
  constexpr int width = ge::GraphicEngineGL::kBackBufferWidth;
  constexpr int height = ge::GraphicEngineGL::kBackBufferHeight;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::size_t at = 3 * (static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x));
      out.set(left + x, top + y, {rgb[at], rgb[at + 1], rgb[at + 2]});
    }
  }
}

// The game after its intro, level 4 opened and filled with made-up contents that put every tile to
// use: conveyors of all four directions, all unit kinds, queues and targets, the palette in all its
// tints.
constexpr std::size_t kMockLevel = 3;

std::unique_ptr<Game> mockGame() {
  auto game = std::make_unique<Game>();
  game->introTimer = 0;
  game->currentLevel = static_cast<std::int32_t>(kMockLevel);
  Level& level = *game->levels[kMockLevel];
  for (std::int32_t y = 0; y <= 4; ++y) level.cells[6][y] = 2;
  for (std::int32_t y = 0; y <= 6; ++y) level.cells[2][y] = 2;
  for (std::int32_t x = 7; x <= 10; ++x) level.cells[x][2] = 3;
  for (std::int32_t y = 3; y <= 7; ++y) level.cells[9][y] = 4;
  for (std::int32_t x = 2; x <= 4; ++x) level.cells[x][9] = 1;
  level.cells[4][10] = 2;
  level.cells[7][10] = 2;

  auto trigger = std::make_unique<orvane::ZTriggerUnit>();
  trigger->side = 1;
  level.placeUnit(std::move(trigger), Cell{5, 5});
  level.placeUnit(std::make_unique<orvane::ZSwapperUnit>(), Cell{1, 7});
  auto accumulator = std::make_unique<orvane::ZAccumulatorUnit>();
  accumulator->stored = {1, 2};
  level.placeUnit(std::move(accumulator), Cell{6, 8});

  level.inputs = {};
  level.targets = {};
  level.setInput(2, "CB");
  level.setInput(6, "ABC");
  level.setTarget(1, "AB");
  level.setTarget(4, "CA");
  level.setTarget(7, "BBC");
  level.delivered[4] = 1;
  level.setAllowance(2, 1, 0);
  return game;
}

// Stopped, a swapper dragged over a free place (green), the queues shown above the field.
std::unique_ptr<Game> mockStoppedLevel() {
  auto game = mockGame();
  Level& level = *game->levels[kMockLevel];
  level.tickCount = 37;
  level.dragging = true;
  level.dragIndex = kSwapperEntry;
  return game;
}

// Won in the middle of a step, with blocks falling into the trigger, leaving it, riding the
// conveyors and queued above the field.
std::unique_ptr<Game> mockRunningLevel() {
  auto game = mockGame();
  Level& level = *game->levels[kMockLevel];
  level.running = true;
  level.won = true;
  level.tickCount = 5 * kStepTicks + 37;
  level.blocks = {{6, 4, 3}, {7, 6, 1}, {8, 2, 2}, {9, 5, 3}, {2, -1, 3}, {2, 1, 2}, {3, 9, 1}, {6, 3, 2}, {2, 8, 1}};
  return game;
}

// The level select with every third level solved.
std::unique_ptr<Game> mockLevelSelect() {
  auto game = std::make_unique<Game>();
  game->introTimer = 0;
  for (std::size_t index = 0; index < game->levels.size(); index += 3) game->levels[index]->solved = true;
  return game;
}

bool writePng(const char* path, const Canvas& canvas) {
  std::vector<std::uint8_t> rgb;
  rgb.reserve(static_cast<std::size_t>(canvas.width()) * static_cast<std::size_t>(canvas.height()) * 3);
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const Colour colour = canvas.get(x, y);
      rgb.insert(rgb.end(), {colour.r, colour.g, colour.b});
    }
  }
  std::string error;
  return WritePng(path, canvas.width(), canvas.height(), rgb, error);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s output.png [data folder]\n", argv[0]);
    return 2;
  }
  const std::string folder = argc == 3 ? argv[2] : "../data";
  Sheets sheets;
  if (!readSheets(folder, sheets)) return 1;
  const Sheet& field = sheets.at(ge::kFieldSheetSlot);
  const Sheet& button = sheets.at(ge::kButtonSheetSlot);
  const Sheet& unit = sheets.at(ge::kUnitSheetSlot);
  const Sheet& logo = sheets.at(ge::kLogoSlot);
  const Sheet& splash = sheets.at(ge::kSplashSlot);

  Canvas out(1360, 1580, kBackground);
  const int scale = 4;
  // Row 1: the three tile sheets, four times enlarged, with their tiles outlined.
  drawLabel(out, 10, 8, field.label);
  drawEnlarged(out, field, 10, 24, scale);
  std::vector<Region> fieldRegions;
  const char* fieldNames[4][4] = {{"FLOOR", "A", "B", "C"}, {"H0", "H1", "H2", "H3"}, {"V0", "V1", "V2", "V3"}, {"RIGHT", "DOWN", "LEFT", "UP"}};
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) fieldRegions.push_back({fieldTile(column, row), fieldNames[row][column]});
  }
  drawRegions(out, fieldRegions, 10, 24, scale);

  drawLabel(out, 290, 8, button.label);
  drawEnlarged(out, button, 290, 24, scale);
  drawRegions(out,
              {{buttonFace(0), "RUN"}, {buttonFace(1), "STOP"}, {buttonFace(2), "CLEAR"}, {buttonFace(3), "EXIT"},
               {kLevelCellTile, "LEVEL CELL"}, {difficultyStrip(1), "EASY"}, {difficultyStrip(2), "MEDIUM"},
               {difficultyStrip(3), "HARD"}, {kSolvedMarkTile, "SOLVED"}},
              290, 24, scale);

  drawLabel(out, 630, 8, unit.label);
  drawEnlarged(out, unit, 630, 24, scale);
  drawRegions(out,
              {{kLowerBodyTile, "LOWER (ALL)"}, {kTriggerBodyTile, "TRIGGER"}, {kSwapperBodyTile, "SWAPPER"},
               {kAccumulatorBodyTile, "ACCUMULATOR"}, {sideMarkTile(0), "L"}, {sideMarkTile(1), "R"},
               {storedColourTile(1), "A"}, {storedColourTile(2), "B"}, {storedColourTile(3), "C"}},
              630, 24, scale);

  // Row 2: the intro pictures at twice their drawn size, as on the 640 × 480 window.
  drawLabel(out, 10, 556, logo.label + ", SHOWN 2X");
  drawEnlarged(out, logo, 10, 572, 2);
  drawLabel(out, 230, 556, splash.label + ", SHOWN 2X");
  drawEnlarged(out, splash, 230, 572, 2);

  // The end of row 2 and row 3: screens drawn by the game's views, 640 × 480 like the game window.
  HeadlessView view(folder + "/");
  // The pointer rests on cell (3, 2), where the dragged swapper fits; the views halve its position.
  const ScreenPoint dragCell = fieldCellOrigin({3, 2});
  std::unique_ptr<Game> stopped = mockStoppedLevel();
  drawLabel(out, 10, 1068, "MOCK LEVEL, STOPPED, DRAGGING A SWAPPER (GREEN)");
  copyFrame(out, view.drawFrame(*stopped, 2 * (dragCell.x + 8), 2 * (dragCell.y + 6)), 10, 1084);
  std::unique_ptr<Game> running = mockRunningLevel();
  drawLabel(out, 680, 1068, "MOCK LEVEL, RUNNING, TICK PHASE 37");
  copyFrame(out, view.drawFrame(*running, 0, 0), 680, 1084);
  std::unique_ptr<Game> select = mockLevelSelect();
  drawLabel(out, 680, 556, "MOCK LEVEL SELECT");
  copyFrame(out, view.drawFrame(*select, 0, 0), 680, 572);

  if (!writePng(argv[1], out)) {
    std::fprintf(stderr, "varnelle-contact-sheet: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
