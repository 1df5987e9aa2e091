// The five picture files of the game and the functions that draw them.
#include "tools/art/sheets.h"

namespace art {

const std::vector<SheetFile>& AllSheets() {
  static const std::vector<SheetFile> sheets = {
      {"logo.bmp", &DrawLogo},       {"vusk.bmp", &DrawSplash},    {"field.bmp", &DrawFieldSheet},
      {"button.bmp", &DrawButtonSheet}, {"unit.bmp", &DrawUnitSheet},
  };
  return sheets;
}

}  // namespace art
