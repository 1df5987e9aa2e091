// Icons go through libpng's simplified writer: no time stamp or other varying chunk is written,
// so the same pixels give the same bytes.
#include "tools/art/icon_png.h"

#include <png.h>

#include <cstring>

namespace art {

bool WriteIconPng(const std::string& path, const IconPicture& icon, std::string& error) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(icon.size);
  image.height = static_cast<png_uint_32>(icon.size);
  image.format = PNG_FORMAT_RGBA;
  if (png_image_write_to_file(&image, path.c_str(), 0, icon.rgba.data(), 0, nullptr) == 0) {
    error = path + ": " + image.message;
    png_image_free(&image);
    return false;
  }
  return true;
}

}  // namespace art
