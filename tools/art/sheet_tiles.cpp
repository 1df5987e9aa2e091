// Putting a drawn tile onto its sheet at the rectangle the game draws it from.
#include <cstdio>
#include <cstdlib>

#include "tools/art/sheets.h"

namespace art {

Canvas NewSheet(SheetSize size) { return Canvas(size.width, size.height, kClear); }

void PasteTile(Canvas& sheet, const Canvas& tile, const SheetRect& place) {
  // A tile drawn at another size than its rectangle, or a rectangle off the sheet, would show the
  // player a cut or a neighbour's pixels: refuse to write such a sheet at all.
  const bool sameSize = tile.width() == place.width && tile.height() == place.height;
  const bool onSheet = place.x >= 0 && place.y >= 0 && place.x + place.width <= sheet.width() &&
                       place.y + place.height <= sheet.height();
  if (!sameSize || !onSheet) {
    std::fprintf(stderr,
                 "varnelle-art: a %d x %d tile does not fit its %d x %d rectangle at (%d, %d) of a %d x %d sheet\n",
                 tile.width(), tile.height(), place.width, place.height, place.x, place.y, sheet.width(),
                 sheet.height());
    std::exit(1);
  }
  sheet.paste(tile, place.x, place.y);
}

}  // namespace art
