// Reading and writing 24-bit uncompressed BMP images: the only image format the game's sheets use.
// Platform-free: the texture loader and the art tools share it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ge {

// The texture loader assembles images in scratch planes of this side, so larger images are refused.
inline constexpr int kMaxImageSide = 1024;

// An image in memory: `height` rows of `width` pixels, top row first, three bytes R, G, B per pixel.
struct BmpImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

// Parses a 24-bit uncompressed BMP held in memory (40-byte, V4 or V5 information header, bottom-up or
// top-down rows). On failure returns false, leaves `image` empty and sets `error` to one of
// "Do not know this format", "Image width is 0 or below", "Image height is 0",
// "Image is larger than 1024 x 1024", "Image is not 24-bit", "Image is compressed",
// "Image file is truncated". (A negative height is a top-down image, not an error.)
// When `detail` is given it receives what exactly is wrong with these bytes, in words for the
// player who has to replace the file: "it is empty", "cut short after N of M bytes",
// "not a BMP (it starts with 89 50 4E 47)", "it has 32 bits per pixel, not 24", ...
bool ParseBmp(const std::uint8_t* data, std::size_t size, BmpImage& image, std::string& error,
              std::string* detail = nullptr);

// Reads the file at `path` and parses it. A file that cannot be opened gives
// "Cannot open "PATH": REASON" (with "(there is no folder "FOLDER")" added when its folder is
// missing), one that cannot be read (a folder among them) "Cannot read "PATH": REASON", REASON the
// system's own text; a file that is there but is not a BMP gives ParseBmp's reasons, and its
// detail when `detail` is given (left empty for a file that cannot be had: its error names it).
bool ReadBmpFile(const char* path, BmpImage& image, std::string& error, std::string* detail = nullptr);

// Encodes `image` as a bottom-up 24-bit BMP with a 40-byte information header. The bytes depend on
// the pixels alone, so writing the same image twice gives identical files.
std::vector<std::uint8_t> EncodeBmp(const BmpImage& image);

// Writes EncodeBmp(image) to `path`. On failure returns false and sets `error`.
bool WriteBmpFile(const char* path, const BmpImage& image, std::string& error);

}  // namespace ge
