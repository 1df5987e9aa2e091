// Every picture of the game, drawn by code: the three tile sheets and the two intro pictures.
#pragma once

#include <vector>

#include "game/sheet_layout.h"
#include "tools/art/canvas.h"

namespace art {

// A sheet of the size game/sheet_layout.h gives it, all see-through.
Canvas NewSheet(SheetSize size);
// Copies a drawn tile onto the sheet at its rectangle of game/sheet_layout.h. A tile of another size
// than its rectangle ends the program with a message: the game would draw it cut or with a
// neighbour's pixels.
void PasteTile(Canvas& sheet, const Canvas& tile, const SheetRect& place);

// The tile sheets, laid out as game/sheet_layout.h says.
// field.bmp, 64 × 64: 4 × 4 tiles of 16 × 16 (floor and blocks, horizontal and vertical conveyor
// frames, arrows).
Canvas DrawFieldSheet();
// button.bmp, 80 × 80: the four level buttons (20 × 20), the level cell (40 × 40), the difficulty
// strips and the solved mark (40 × 10).
Canvas DrawButtonSheet();
// unit.bmp, 128 × 128: unit bodies (48 × 32), the trigger's side marks (16 × 16) and the
// accumulator's colour tiles (8 × 8).
Canvas DrawUnitSheet();
// logo.bmp, 100 × 100: the emblem and the lettering.
Canvas DrawLogo();
// vusk.bmp, 200 × 200: the second intro picture, a workshop machine at night.
Canvas DrawSplash();

// A block of colour 1, 2 or 3 as its 16 × 16 tile (see-through around it); also used by the splash.
Canvas DrawBlockTile(int colour);
// The same block as an 8 × 8 tile for the accumulator's windows.
Canvas DrawMiniBlock(int colour);

struct SheetFile {
  const char* fileName;
  Canvas (*draw)();
};

// The five files in the order the game loads them.
const std::vector<SheetFile>& AllSheets();

}  // namespace art
