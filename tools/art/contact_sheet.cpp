// varnelle-contact-sheet: one PNG for looking at the art. It shows every picture read back from the
// data folder, enlarged, with its tiles outlined and named, and two logical screens assembled from
// those tiles the way the game layers them (a stopped and a running level, and the level select),
// so that overlaps, see-through black and the two unit layers can be judged as the player sees them.
// Usage: varnelle-contact-sheet output.png [data folder, default "../data"]
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "ge/bmp_image.h"
#include "support/png_file.h"
#include "tools/art/canvas.h"
#include "tools/art/pixel_font.h"

namespace {

using art::Canvas;
using art::Colour;

struct Sheet {
  ge::BmpImage image;
  bool seeThroughBlack = false;  // the "Auto" sheets: pure black is transparent
};

struct Region {
  int x, y, w, h;
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
    out.frameRect(left + region.x * scale, top + region.y * scale, region.w * scale + 1, region.h * scale + 1, kGrid);
    drawLabel(out, left + region.x * scale + 2, top + region.y * scale + 2, region.label);
  }
}

// ---- A logical 320 × 240 screen composed like the game draws it ----

struct Tint {
  float r = 1, g = 1, b = 1, a = 1;
};

class Screen {
 public:
  Screen() : pixels_(320 * 240, {0, 0, 0}) {}

  // A textured quad with point sampling, the texture rectangle given in fractions of the image.
  void quad(const Sheet& sheet, int x, int y, int w, int h, float u0, float v0, float u1, float v1, Tint tint = {}) {
    for (int py = y; py < y + h; ++py) {
      for (int px = x; px < x + w; ++px) {
        if (px < 0 || py < 0 || px >= 320 || py >= 240) continue;
        const float s = (static_cast<float>(px - x) + 0.5f) / static_cast<float>(w);
        const float t = (static_cast<float>(py - y) + 0.5f) / static_cast<float>(h);
        const int tx = static_cast<int>(std::floor((u0 + s * (u1 - u0)) * static_cast<float>(sheet.image.width)));
        const int ty = static_cast<int>(std::floor((v0 + t * (v1 - v0)) * static_cast<float>(sheet.image.height)));
        const Colour colour = texel(sheet, tx, ty);
        if (isSeeThrough(sheet, colour)) continue;
        blend(px, py, colour, tint);
      }
    }
  }

  void tile(const Sheet& sheet, int x, int y, int column, int row) {
    quad(sheet, x, y, 16, 16, column / 4.0f, row / 4.0f, (column + 1) / 4.0f, (row + 1) / 4.0f);
  }

  // Text stands in for the game's font: centred on x, top at y.
  void text(int x, int y, const std::string& line, Colour colour) {
    Canvas canvas(320, 240, art::kClear);
    int top = y;
    std::size_t start = 0;
    while (start <= line.size()) {
      const std::size_t end = line.find('\n', start);
      const std::string part = line.substr(start, end == std::string::npos ? std::string::npos : end - start);
      art::DrawText(canvas, x - art::TextWidth(part) / 2, top + 2, part, colour);
      top += 14;
      if (end == std::string::npos) break;
      start = end + 1;
    }
    for (int py = 0; py < 240; ++py) {
      for (int px = 0; px < 320; ++px) {
        if (!(canvas.get(px, py) == art::kClear)) pixels_[static_cast<std::size_t>(py * 320 + px)] = canvas.get(px, py);
      }
    }
  }

  void copyTo(Canvas& out, int left, int top, int scale) const {
    for (int y = 0; y < 240 * scale; ++y) {
      for (int x = 0; x < 320 * scale; ++x) out.set(left + x, top + y, pixels_[static_cast<std::size_t>((y / scale) * 320 + x / scale)]);
    }
  }

 private:
  void blend(int x, int y, Colour colour, Tint tint) {
    Colour& target = pixels_[static_cast<std::size_t>(y * 320 + x)];
    auto channel = [&](std::uint8_t source, float factor, std::uint8_t below) {
      const float value = static_cast<float>(source) * factor;
      return static_cast<std::uint8_t>(value * tint.a + static_cast<float>(below) * (1.0f - tint.a));
    };
    target = {channel(colour.r, tint.r, target.r), channel(colour.g, tint.g, target.g), channel(colour.b, tint.b, target.b)};
  }

  std::vector<Colour> pixels_;
};

struct Sheets {
  Sheet logo, vusk, field, button, unit;
};

enum class Kind { Trigger, Swapper, Accumulator };

struct MockUnit {
  Kind kind;
  int cellX, cellY;
  int side = 0;
  std::vector<int> stored;
};

Tint tintFor(int tint) {
  switch (tint) {
    case 1: return {0, 1, 0, 1};
    case 2: return {1, 0, 0, 1};
    case 3: return {0.5f, 0.5f, 0.5f, 1};
    default: return {};
  }
}

void drawUnit(Screen& screen, const Sheets& sheets, const MockUnit& unit, int x, int y, int tint, bool layer) {
  const Tint colour = tintFor(tint);
  if (!layer) {
    screen.quad(sheets.unit, x, y - 8, 48, 32, 0, 0, 0.375f, 0.25f, colour);
    return;
  }
  const float v0 = unit.kind == Kind::Trigger ? 0.25f : unit.kind == Kind::Swapper ? 0.5f : 0.75f;
  screen.quad(sheets.unit, x, y - 12, 48, 32, 0, v0, 0.375f, v0 + 0.25f, colour);
  if (unit.kind == Kind::Trigger) {
    const float mv = unit.side == 0 ? 0.25f : 0.375f;
    screen.quad(sheets.unit, x + 32 * unit.side, y - 12, 16, 16, 0.375f, mv, 0.5f, mv + 0.125f, colour);
  }
  if (unit.kind == Kind::Accumulator) {
    for (std::size_t i = 0; i < unit.stored.size(); ++i) {
      const int c = unit.stored[i];
      screen.quad(sheets.unit, x + 4 + 16 * (2 - static_cast<int>(i)), y - 2, 8, 8, 0.375f, 0.75f + c / 16.0f, 0.4375f,
                  0.8125f + c / 16.0f, colour);
    }
  }
}

struct MockBlock {
  int x, y, colour;
};

// A level in the layering order of the game's level view, with made-up contents that put every
// tile to use: conveyors of all four directions, all unit kinds, blocks entering and leaving units.
void drawMockLevel(Screen& screen, const Sheets& sheets, bool running, int tick) {
  int cells[11][11] = {};
  for (int y = 0; y <= 4; ++y) cells[y][6] = 2;
  for (int y = 0; y <= 6; ++y) cells[y][2] = 2;
  for (int x = 7; x <= 10; ++x) cells[2][x] = 3;
  for (int y = 3; y <= 7; ++y) cells[y][9] = 4;
  for (int x = 2; x <= 4; ++x) cells[9][x] = 1;
  cells[10][4] = 2;
  cells[10][7] = 2;
  std::vector<MockUnit> units = {{Kind::Trigger, 5, 5, 1, {}}, {Kind::Swapper, 1, 7, 0, {}}, {Kind::Accumulator, 6, 8, 0, {1, 2}}};
  auto unitAt = [&](int x, int y) -> const MockUnit* {
    for (const MockUnit& unit : units) {
      if (x >= unit.cellX && x < unit.cellX + 3 && y >= unit.cellY && y < unit.cellY + 2) return &unit;
    }
    return nullptr;
  };
  const std::string inputs[11] = {"", "", "CB", "", "", "", "ABC", "", "", "", ""};
  const std::string targets[11] = {"", "AB", "", "", "CA", "", "", "BBC", "", "", ""};
  const int delivered[11] = {0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0};
  const int frame = (tick / 4) % 4;
  const int glideX = (tick / 4) % 16;
  const int glideY = ((tick % 64) * 3) / 16;
  for (int i = 0; i < 11; ++i) {
    if (inputs[i].empty()) continue;
    for (int y : {4, 16, 28}) screen.tile(sheets.field, 16 + 16 * i, y, frame, 2);
    if (!running) {
      for (std::size_t n = 0; n < inputs[i].size(); ++n) {
        screen.tile(sheets.field, 16 + 16 * i, 24 - 12 * static_cast<int>(n), inputs[i][n] - 64, 0);
      }
    }
  }
  for (int y = 0; y <= 10; ++y) {
    for (int x = 0; x <= 10; ++x) {
      if (unitAt(x, y) == nullptr) {
        const int content = cells[y][x];
        const int column = content == 0 ? 0 : content <= 2 ? frame : 3 - frame;
        const int row = content == 0 ? 0 : content % 2 == 1 ? 1 : 2;
        screen.tile(sheets.field, 16 + 16 * x, 40 + 12 * y, column, row);
        if (content != 0) {
          screen.quad(sheets.field, 16 + 16 * x, 40 + 12 * y, 16, 16, (content - 1) / 4.0f, 0.75f, content / 4.0f, 1.0f,
                      {1, 1, 1, 0.75f});
        }
      }
      for (const MockUnit& unit : units) {
        if (unit.cellX == x && unit.cellY == y) drawUnit(screen, sheets, unit, 16 + 16 * x, 44 + 12 * y, 0, false);
      }
    }
  }
  if (!running) {  // a unit being dragged over a free place
    const MockUnit dragged{Kind::Swapper, 3, 2, 0, {}};
    drawUnit(screen, sheets, dragged, 16 + 16 * 3, 44 + 12 * 2, 1, false);
    drawUnit(screen, sheets, dragged, 16 + 16 * 3, 44 + 12 * 2, 1, true);
  }
  for (int i = 0; i < 11; ++i) {
    const int length = static_cast<int>(targets[i].size());
    if (length == 0) continue;
    screen.tile(sheets.field, 16 + 16 * i, 172, frame, 2);
    for (int n = delivered[i]; n < length; ++n) {
      if (running && n == delivered[i] && (tick / 8) % 2 == 1) continue;
      screen.tile(sheets.field, 16 + 16 * i, 182 + 6 * (length - n), targets[i][static_cast<std::size_t>(n)] - 64, 0);
    }
  }
  if (running) {
    // Blocks: falling into the trigger, leaving it, riding the conveyors, queued above the field.
    const std::vector<MockBlock> blocks = {{6, 4, 3}, {7, 6, 1}, {8, 2, 2}, {9, 5, 3}, {2, -1, 3}, {2, 1, 2}, {3, 9, 1}, {6, 3, 2}, {2, 8, 1}};
    std::vector<MockBlock> sprites;
    for (const MockBlock& block : blocks) {
      int direction = 1;
      if (block.x >= 0 && block.x <= 10 && block.y >= 0 && block.y <= 10 && cells[block.y][block.x] > 0) direction = cells[block.y][block.x] - 1;
      const int dx[4] = {1, 0, -1, 0};
      const int dy[4] = {0, 1, 0, -1};
      sprites.push_back({16 * block.x + glideX * dx[direction], 12 * block.y - 8 + glideY * dy[direction], block.colour});
    }
    for (std::size_t a = 0; a + 1 < sprites.size(); ++a) {
      for (std::size_t b = a + 1; b < sprites.size(); ++b) {
        if (sprites[a].y > sprites[b].y) std::swap(sprites[a], sprites[b]);
      }
    }
    for (const MockBlock& sprite : sprites) screen.tile(sheets.field, sprite.x + 16, sprite.y + 44, sprite.colour, 0);
  }
  for (int y = 0; y <= 10; ++y) {
    for (int x = 0; x <= 10; ++x) {
      for (const MockUnit& unit : units) {
        if (unit.cellX == x && unit.cellY == y) drawUnit(screen, sheets, unit, 16 + 16 * x, 44 + 12 * y, 0, true);
      }
    }
  }
  for (int b = 0; b < 4; ++b) screen.quad(sheets.button, 200 + 20 * b, 20, 20, 20, b / 4.0f, 0, (b + 1) / 4.0f, 0.25f);
  const MockUnit palette[3] = {{Kind::Trigger, 0, 0, 0, {}}, {Kind::Swapper, 0, 0, 0, {}}, {Kind::Accumulator, 0, 0, 0, {}}};
  const int allowance[3] = {2, 1, 0};
  for (int i = 0; i < 3; ++i) {
    const int px = 200 + 56 * (i % 2);
    const int py = 56 + 40 * (i / 2);
    const int tint = allowance[i] == 0 ? 3 : 0;
    drawUnit(screen, sheets, palette[i], px, py, tint, false);
    drawUnit(screen, sheets, palette[i], px, py, tint, true);
    screen.text(px + 40, py + 12, "x" + std::to_string(allowance[i]), {255, 255, 255});
  }
  if (running) screen.text(110, 210, "LEVEL DONE!", {240, 240, 240});
  screen.text(255, 165, "HINT TEXT", {204, 204, 204});
  screen.text(255, 4, "LEVEL 4 (MEDIUM)", {240, 240, 240});
}

void drawLevelSelect(Screen& screen, const Sheets& sheets) {
  screen.text(50, 15, "VARNELLE\nV0.9", {240, 240, 240});
  screen.text(50, 200, "ENJOY!", {230, 230, 128});
  const int difficulty[13] = {1, 1, 1, 2, 2, 3, 3, 1, 2, 2, 1, 2, 2};
  for (int i = 0; i < 13; ++i) {
    const int x = 110 + 40 * (i % 5);
    const int y = 15 + 40 * (i / 5);
    screen.quad(sheets.button, x, y, 40, 40, 0, 0.25f, 0.5f, 0.75f);
    screen.text(x + 20, y + 1, "LVL" + std::to_string(i + 1), {255, 255, 255});
    const float v = 0.25f + 0.125f * static_cast<float>(difficulty[i] - 1);
    screen.quad(sheets.button, x, y + 15, 40, 10, 0.5f, v, 1.0f, v + 0.125f);
    if (i % 3 == 0) screen.quad(sheets.button, x, y + 27, 40, 10, 0.5f, 0.625f, 1.0f, 0.75f);
  }
}

bool readSheet(const std::string& folder, const char* name, bool seeThroughBlack, Sheet& sheet) {
  std::string error;
  const std::string path = folder + "/" + name;
  if (!ge::ReadBmpFile(path.c_str(), sheet.image, error)) {
    std::fprintf(stderr, "varnelle-contact-sheet: %s: %s\n", path.c_str(), error.c_str());
    return false;
  }
  sheet.seeThroughBlack = seeThroughBlack;
  return true;
}

// The canvas as a PNG file through the shared writer.
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
  if (!readSheet(folder, "logo.bmp", false, sheets.logo) || !readSheet(folder, "vusk.bmp", false, sheets.vusk) ||
      !readSheet(folder, "field.bmp", true, sheets.field) || !readSheet(folder, "button.bmp", true, sheets.button) ||
      !readSheet(folder, "unit.bmp", true, sheets.unit)) {
    return 1;
  }

  Canvas out(1360, 1560, kBackground);
  const int scale = 4;
  // Row 1: the three tile sheets, four times enlarged, with their tiles outlined.
  drawLabel(out, 10, 8, "FIELD.BMP 64X64 (AUTO)");
  drawEnlarged(out, sheets.field, 10, 24, scale);
  std::vector<Region> fieldRegions;
  const char* fieldNames[4][4] = {{"FLOOR", "A", "B", "C"}, {"H0", "H1", "H2", "H3"}, {"V0", "V1", "V2", "V3"}, {"RIGHT", "DOWN", "LEFT", "UP"}};
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) fieldRegions.push_back({column * 16, row * 16, 16, 16, fieldNames[row][column]});
  }
  drawRegions(out, fieldRegions, 10, 24, scale);

  drawLabel(out, 290, 8, "BUTTON.BMP 80X80 (AUTO)");
  drawEnlarged(out, sheets.button, 290, 24, scale);
  drawRegions(out,
              {{0, 0, 20, 20, "RUN"}, {20, 0, 20, 20, "STOP"}, {40, 0, 20, 20, "CLEAR"}, {60, 0, 20, 20, "EXIT"},
               {0, 20, 40, 40, "LEVEL CELL"}, {40, 20, 40, 10, "EASY"}, {40, 30, 40, 10, "MEDIUM"},
               {40, 40, 40, 10, "HARD"}, {40, 50, 40, 10, "SOLVED"}},
              290, 24, scale);

  drawLabel(out, 630, 8, "UNIT.BMP 128X128 (AUTO)");
  drawEnlarged(out, sheets.unit, 630, 24, scale);
  drawRegions(out,
              {{0, 0, 48, 32, "LOWER (ALL)"}, {0, 32, 48, 32, "TRIGGER"}, {0, 64, 48, 32, "SWAPPER"},
               {0, 96, 48, 32, "ACCUMULATOR"}, {48, 32, 16, 16, "L"}, {48, 48, 16, 16, "R"}, {48, 104, 8, 8, "A"},
               {48, 112, 8, 8, "B"}, {48, 120, 8, 8, "C"}},
              630, 24, scale);

  // Row 2: the intro pictures at twice their drawn size, as on the 640 × 480 window.
  drawLabel(out, 10, 556, "LOGO.BMP 100X100 (NULL), SHOWN 2X");
  drawEnlarged(out, sheets.logo, 10, 572, 2);
  drawLabel(out, 230, 556, "VUSK.BMP 200X200 (NULL), SHOWN 2X");
  drawEnlarged(out, sheets.vusk, 230, 572, 2);

  // Row 3: logical screens assembled from the tiles, shown 2x like the game window.
  Screen stopped;
  drawMockLevel(stopped, sheets, false, 37);
  drawLabel(out, 10, 1000, "MOCK LEVEL, STOPPED, DRAGGING A SWAPPER (GREEN)");
  stopped.copyTo(out, 10, 1016, 2);
  Screen running;
  drawMockLevel(running, sheets, true, 64 * 5 + 37);
  drawLabel(out, 680, 1000, "MOCK LEVEL, RUNNING, TICK PHASE 37");
  running.copyTo(out, 680, 1016, 2);
  Screen select;
  drawLevelSelect(select, sheets);
  drawLabel(out, 680, 556, "MOCK LEVEL SELECT");
  select.copyTo(out, 680, 572, 2);

  if (!writePng(argv[1], out)) {
    std::fprintf(stderr, "varnelle-contact-sheet: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
