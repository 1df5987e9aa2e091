// button.bmp, 80 × 80, one image pixel per logical pixel: the faces of the four level buttons
// (Run, Stop, Clear, Exit) along the top, the level cell of the level-select screen below on the
// left, and on the right the Easy, Medium and Hard strips and the solved mark.
#include <string_view>

#include "tools/art/palette.h"
#include "tools/art/pixel_font.h"
#include "tools/art/sheets.h"

namespace art {

namespace {

constexpr int kButton = 20;
constexpr Colour kPanel{52, 62, 92};
constexpr Colour kPanelLight{96, 110, 150};
constexpr Colour kPanelDark{30, 36, 56};
constexpr Colour kWhite{244, 244, 236};

// A raised square key with rounded corners: light upper-left bevel, dark lower-right one.
Canvas drawKey() {
  Canvas key(kButton, kButton, kClear);
  key.verticalGradient(1, 1, 18, 18, Mix(kPanel, kPanelLight, 100), Shade(kPanel, 85));
  key.hline(2, 17, 1, kPanelLight);
  key.vline(1, 2, 17, kPanelLight);
  key.hline(2, 17, 18, kPanelDark);
  key.vline(18, 2, 17, kPanelDark);
  key.hline(2, 17, 0, kInk);
  key.hline(2, 17, 19, kInk);
  key.vline(0, 2, 17, kInk);
  key.vline(19, 2, 17, kInk);
  for (int corner = 0; corner < 4; ++corner) {
    const int x = corner % 2 == 0 ? 1 : 18;
    const int y = corner < 2 ? 1 : 18;
    key.set(x, y, kInk);
  }
  return key;
}

// Puts an icon, drawn on a clear canvas, onto a key with a dark rim around it.
Canvas withIcon(Canvas icon) {
  Canvas key = drawKey();
  icon.outline(2, 2, 16, 16, kInk);
  key.stamp(icon, 0, 0);
  return key;
}

Canvas drawRunButton() {
  Canvas key(kButton, kButton, kClear);
  const Colour green{96, 220, 100};
  key.polygon({6, 4, 15, 10, 6, 16}, green);
  key.line(6, 4, 6, 15, Mix(green, {255, 255, 255}, 140));
  key.line(7, 5, 13, 9, Mix(green, {255, 255, 255}, 90));
  key.line(7, 15, 14, 10, Shade(green, 60));
  return withIcon(key);
}

Canvas drawStopButton() {
  Canvas key(kButton, kButton, kClear);
  const Colour red{232, 80, 70};
  key.fillRect(6, 6, 8, 8, red);
  key.hline(6, 13, 6, Mix(red, {255, 255, 255}, 120));
  key.vline(6, 6, 13, Mix(red, {255, 255, 255}, 120));
  key.hline(7, 13, 13, Shade(red, 60));
  key.vline(13, 7, 13, Shade(red, 60));
  return withIcon(key);
}

Canvas drawClearButton() {
  Canvas key(kButton, kButton, kClear);
  const Colour orange{250, 176, 60};
  // A bold cross: clear the machine off the field.
  for (int i = 0; i < 9; ++i) {
    for (int thickness = 0; thickness < 2; ++thickness) {
      key.set(5 + i + thickness, 5 + i, orange);
      key.set(14 - i - thickness, 5 + i, orange);
    }
  }
  key.set(5, 5, Mix(orange, {255, 255, 255}, 140));
  key.set(14, 5, Mix(orange, {255, 255, 255}, 140));
  return withIcon(key);
}

Canvas drawExitButton() {
  Canvas key(kButton, kButton, kClear);
  const Colour door{120, 180, 250};
  // An open door frame with an arrow leaving through it.
  key.frameRect(4, 4, 7, 12, door);
  key.vline(5, 5, 14, Shade(door, 60));
  key.fillRect(6, 6, 2, 9, Shade(door, 45));
  key.hline(9, 15, 10, kWhite);
  key.hline(9, 15, 9, kWhite);
  key.line(13, 7, 15, 9, kWhite);
  key.line(13, 12, 15, 10, kWhite);
  key.line(12, 7, 14, 9, kWhite);
  key.line(12, 12, 14, 10, kWhite);
  return withIcon(key);
}

// The level cell, 40 × 40: a dark band behind the white "LVL n" label, the difficulty strip is
// drawn over rows 15..24, and an empty slot at rows 27..36 waits for the solved mark.
Canvas drawLevelCell() {
  Canvas cell(40, 40, kPanel);
  cell.verticalGradient(1, 1, 38, 38, Mix(kPanel, kPanelLight, 60), Shade(kPanel, 85));
  cell.fillRect(1, 1, 38, 14, kPanelDark);
  cell.hline(1, 38, 1, Shade(kPanelLight, 80));
  cell.hline(1, 38, 14, Mix(kPanelDark, kPanel, 128));
  cell.hline(1, 38, 1, Mix(kPanelDark, kPanelLight, 100));
  cell.frameRect(0, 0, 40, 40, kInk);
  cell.vline(1, 15, 38, kPanelLight);
  cell.vline(38, 15, 38, kPanelDark);
  cell.hline(1, 38, 38, kPanelDark);
  // The empty slot, a recess lit from above: its upper and left rims in shadow.
  cell.fillRect(3, 27, 34, 10, Shade(kPanelDark, 110));
  cell.hline(3, 36, 27, Shade(kPanelDark, 80));
  cell.vline(3, 27, 36, Shade(kPanelDark, 80));
  cell.hline(4, 36, 36, Mix(kPanel, kPanelLight, 120));
  cell.vline(36, 28, 36, Mix(kPanel, kPanelLight, 120));
  return cell;
}

// A difficulty strip: the name in dark letters on its colour, with one to three pips.
Canvas drawStrip(std::string_view name, Colour colour, int pips) {
  Canvas strip(40, 10, colour);
  strip.verticalGradient(1, 1, 38, 8, Mix(colour, {255, 255, 255}, 70), Shade(colour, 80));
  strip.frameRect(0, 0, 40, 10, kInk);
  const Colour text = Shade(colour, 25);
  const int textWidth = TextWidth(name);
  const int pipsWidth = pips * 3;
  const int left = (40 - textWidth - 2 - pipsWidth) / 2;
  DrawText(strip, left, 2, name, text);
  for (int pip = 0; pip < pips; ++pip) {
    const int x = left + textWidth + 2 + pip * 3;
    strip.fillRect(x, 4, 2, 3, text);
  }
  return strip;
}

Canvas drawSolvedMark() {
  const Colour badge{28, 112, 116};
  Canvas mark(40, 10, badge);
  mark.verticalGradient(1, 1, 38, 8, Mix(badge, {255, 255, 255}, 50), Shade(badge, 80));
  mark.frameRect(0, 0, 40, 10, kInk);
  const Colour tick{255, 230, 90};
  // A check mark and "OK".
  mark.line(9, 5, 11, 7, tick);
  mark.line(11, 7, 16, 2, tick);
  mark.line(9, 4, 11, 6, tick);
  mark.line(11, 6, 16, 1, tick);
  DrawText(mark, 20, 2, "OK", kWhite);
  return mark;
}

}  // namespace

Canvas DrawButtonSheet() {
  Canvas sheet = NewSheet(kButtonSheet);
  PasteTile(sheet, drawRunButton(), buttonFace(0));
  PasteTile(sheet, drawStopButton(), buttonFace(1));
  PasteTile(sheet, drawClearButton(), buttonFace(2));
  PasteTile(sheet, drawExitButton(), buttonFace(3));
  PasteTile(sheet, drawLevelCell(), kLevelCellTile);
  PasteTile(sheet, drawStrip("EASY", {92, 196, 88}, 1), difficultyStrip(1));
  PasteTile(sheet, drawStrip("MED", {240, 184, 60}, 2), difficultyStrip(2));
  PasteTile(sheet, drawStrip("HARD", {226, 76, 64}, 3), difficultyStrip(3));
  PasteTile(sheet, drawSolvedMark(), kSolvedMarkTile);
  return sheet;
}

}  // namespace art
