// PNG reading and writing through libpng's simplified interface, which reports errors as values and
// writes no time stamp or other varying chunk, so the same pixels give the same bytes.
#include "support/png_file.h"

#include <png.h>

#include <cstring>

namespace {

// A picture larger than this is not one of ours; refusing it keeps a damaged file from asking
// for gigabytes.
constexpr png_uint_32 kMaxSide = 16384;

// `channels` bytes a pixel in libpng's `format`.
bool writePixels(const std::string& path, int width, int height, const std::vector<std::uint8_t>& pixels,
                 std::size_t channels, png_uint_32 format, std::string& error) {
  if (width <= 0 || height <= 0 ||
      pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * channels) {
    error = "picture size does not match its pixel data";
    return false;
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = format;
  if (png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0, nullptr) == 0) {
    error = path + ": " + image.message;
    png_image_free(&image);
    return false;
  }
  return true;
}

}  // namespace

bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb,
              std::string& error) {
  return writePixels(path, width, height, rgb, 3, PNG_FORMAT_RGB, error);
}

bool WritePngRgba(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba,
                  std::string& error) {
  return writePixels(path, width, height, rgba, 4, PNG_FORMAT_RGBA, error);
}

bool ReadPng(const std::string& path, int& width, int& height, std::vector<std::uint8_t>& rgb, std::string& error) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
    error = path + ": " + image.message;
    png_image_free(&image);
    return false;
  }
  if (image.width == 0 || image.height == 0 || image.width > kMaxSide || image.height > kMaxSide) {
    error = path + ": picture size out of range";
    png_image_free(&image);
    return false;
  }
  image.format = PNG_FORMAT_RGB;
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) {
    error = path + ": " + image.message;
    png_image_free(&image);
    return false;
  }
  width = static_cast<int>(image.width);
  height = static_cast<int>(image.height);
  rgb = std::move(pixels);
  return true;
}
