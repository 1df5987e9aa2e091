// varnelle-art: draws every picture of the game and writes them as 24-bit BMP files.
// Usage: varnelle-art [folder]   (default "../data", the repository's data folder seen from a
// build folder). The output depends on nothing but this code, so running it again gives the
// same bytes.
// varnelle-art --icons FOLDER writes the desktop icons instead: varnelle-<size>.png for every size.
#include <cstdio>
#include <string>

#include "ge/bmp_image.h"
#include "support/png_file.h"
#include "tools/art/icons.h"
#include "tools/art/sheets.h"

namespace {

int writeIcons(const std::string& folder) {
  for (const int size : art::kIconSizes) {
    const std::string path = folder + "/varnelle-" + std::to_string(size) + ".png";
    std::string error;
    const art::IconPicture icon = art::DrawIcon(size);
    if (!WritePngRgba(path, icon.size, icon.size, icon.rgba, error)) {
      std::fprintf(stderr, "varnelle-art: %s\n", error.c_str());
      return 1;
    }
    std::printf("%s\n", path.c_str());
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--icons") return writeIcons(argv[2]);
  if (argc > 2) {
    std::fprintf(stderr, "usage: %s [output folder]\n       %s --icons FOLDER\n", argv[0], argv[0]);
    return 2;
  }
  const std::string folder = argc == 2 ? argv[1] : "../data";
  for (const art::SheetFile& sheet : art::AllSheets()) {
    const std::string path = folder + "/" + sheet.fileName;
    std::string error;
    if (!ge::WriteBmpFile(path.c_str(), sheet.draw().toImage(), error)) {
      std::fprintf(stderr, "varnelle-art: %s\n", error.c_str());
      return 1;
    }
    std::printf("%s\n", path.c_str());
  }
  return 0;
}
