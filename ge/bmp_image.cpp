// Reading and writing 24-bit uncompressed BMP images. Every field of a file is distrusted: sizes are
// checked before each read and all arithmetic on them is done in 64 bits on values already bounded.
#include "ge/bmp_image.h"

#include <sys/stat.h>

#include <cassert>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "base/little_endian.h"

namespace ge {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;      // BITMAPINFOHEADER
constexpr std::uint32_t kLargestInfoHeader = 124;  // BITMAPV5HEADER; V2, V3 and V4 lie in between
constexpr std::uint32_t kUncompressed = 0;         // BI_RGB

// A valid 1024 × 1024 image is about 3 MiB; reading stops well beyond that, so a huge or endless
// file cannot exhaust memory (an image it holds then reads as truncated).
constexpr std::size_t kMaxFileBytes = 64u << 20;

std::int64_t readInt32(const std::uint8_t* bytes) {
  const std::uint32_t raw = ReadUint32(bytes);
  return raw >= 0x80000000u ? static_cast<std::int64_t>(raw) - (std::int64_t{1} << 32) : raw;
}

// Each stored row is a multiple of 4 bytes long: 3w bytes of pixels and then w mod 4 bytes of padding.
std::size_t storedRowBytes(int width) {
  return static_cast<std::size_t>(width) * 3 + static_cast<std::size_t>(width % 4);
}

bool fail(BmpImage& image, std::string& error, std::string text) {
  image = BmpImage{};
  error = std::move(text);
  return false;
}

// A refusal of the bytes: the program's error text and, when asked for, what exactly is wrong.
class Refusal {
 public:
  Refusal(BmpImage& image, std::string& error, std::string* detail) : image(image), error(error), detail(detail) {}
  bool operator()(const char* text, std::string why) {
    if (detail != nullptr) *detail = std::move(why);
    return fail(image, error, text);
  }

 private:
  BmpImage& image;
  std::string& error;
  std::string* detail;
};

std::string cutShort(std::size_t got, std::uint64_t needed) {
  return "cut short after " + std::to_string(got) + " of " + std::to_string(needed) + " bytes";
}

// The first bytes in hexadecimal: enough for the player to recognise a PNG, a JPEG or a text.
std::string notABmp(const std::uint8_t* data, std::size_t size) {
  std::string text = "not a BMP (it starts with";
  char hex[4];
  for (std::size_t i = 0; i < size && i < 8; ++i) {
    std::snprintf(hex, sizeof hex, " %02X", data[i]);
    text += hex;
  }
  return text + ")";
}

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

// The folder part of `path` ("." for a bare name), to tell a missing folder from a missing file.
std::string folderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string unopenableFileText(const char* path, int reason) {
  std::string text = "Cannot open " + quoted(path) + ": " + std::strerror(reason);
  struct stat status {};
  const std::string folder = folderOf(path);
  if (reason == ENOENT && stat(folder.c_str(), &status) != 0) text += " (there is no folder " + quoted(folder) + ")";
  return text;
}

std::string unreadableFileText(const char* path, int reason) {
  return "Cannot read " + quoted(path) + ": " + std::strerror(reason);
}

}  // namespace

bool ParseBmp(const std::uint8_t* data, std::size_t size, BmpImage& image, std::string& error,
              std::string* detail) {
  Refusal refuse(image, error, detail);
  constexpr const char* kUnknown = "Do not know this format";
  if (data == nullptr || size == 0) return refuse(kUnknown, "it is empty");
  if (size < 2 || data[0] != 'B' || data[1] != 'M') return refuse(kUnknown, notABmp(data, size));
  // Until the information header's size is read, the smallest headers a BMP of ours has.
  if (size < kFileHeaderSize + 4) return refuse(kUnknown, cutShort(size, kFileHeaderSize + kInfoHeaderSize));
  const std::uint32_t pixelOffset = ReadUint32(data + 10);
  const std::uint32_t infoSize = ReadUint32(data + kFileHeaderSize);
  // The 12-byte OS/2 core header has 16-bit sizes and no compression field: not ours.
  if (infoSize < kInfoHeaderSize || infoSize > kLargestInfoHeader) {
    return refuse(kUnknown, "its information header is " + std::to_string(infoSize) +
                                " bytes long, not one of 40 to 124");
  }
  if (size < kFileHeaderSize + infoSize) return refuse(kUnknown, cutShort(size, kFileHeaderSize + infoSize));
  const std::uint8_t* info = data + kFileHeaderSize;
  const std::int64_t width = readInt32(info + 4);
  const std::int64_t signedHeight = readInt32(info + 8);
  const std::uint32_t bitsPerPixel = ReadUint16(info + 14);
  const std::uint32_t compression = ReadUint32(info + 16);

  // A negative height means the rows are stored top row first.
  const bool topDown = signedHeight < 0;
  const std::int64_t height = topDown ? -signedHeight : signedHeight;
  const std::string dimensions = std::to_string(width) + " x " + std::to_string(height) + " pixels";
  if (width <= 0) return refuse("Image width is 0 or below", "its width is " + std::to_string(width));
  if (height == 0) return refuse("Image height is 0", "its height is 0");
  if (width > kMaxImageSide || height > kMaxImageSide) {
    return refuse("Image is larger than 1024 x 1024", "it is " + dimensions);
  }
  if (bitsPerPixel != 24) {
    return refuse("Image is not 24-bit", "it has " + std::to_string(bitsPerPixel) + " bits per pixel, not 24");
  }
  if (compression != kUncompressed) {
    return refuse("Image is compressed", "it is compressed (method " + std::to_string(compression) + ")");
  }
  // Pixel data overlapping the headers is nonsense rather than a short file.
  if (pixelOffset < kFileHeaderSize + infoSize) {
    return refuse(kUnknown, "its pixels would start at byte " + std::to_string(pixelOffset) + ", inside its headers");
  }

  const int w = static_cast<int>(width);
  const int h = static_cast<int>(height);
  const std::size_t rowBytes = storedRowBytes(w);
  // Both factors are bounded (rows ≤ 3075 bytes, ≤ 1024 rows, offset < 2^32): no overflow in 64 bits.
  const std::uint64_t end = std::uint64_t{pixelOffset} + std::uint64_t{rowBytes} * static_cast<std::uint64_t>(h);
  if (end > size) return refuse("Image file is truncated", cutShort(size, end) + " (" + dimensions + ")");

  image.width = w;
  image.height = h;
  image.rgb.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3, 0);
  if (detail != nullptr) detail->clear();
  for (int fileRow = 0; fileRow < h; ++fileRow) {
    const std::uint8_t* source = data + pixelOffset + static_cast<std::size_t>(fileRow) * rowBytes;
    const int imageRow = topDown ? fileRow : h - 1 - fileRow;
    std::uint8_t* target = image.rgb.data() + static_cast<std::size_t>(imageRow) * static_cast<std::size_t>(w) * 3;
    for (int x = 0; x < w; ++x) {
      target[0] = source[2];  // stored blue, green, red
      target[1] = source[1];
      target[2] = source[0];
      target += 3;
      source += 3;
    }
  }
  error.clear();
  return true;
}

bool ReadBmpFile(const char* path, BmpImage& image, std::string& error, std::string* detail) {
  if (detail != nullptr) detail->clear();
  if (path == nullptr) return fail(image, error, "Do not know this format");
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path, "rb"), &std::fclose);
  if (!file) return fail(image, error, unopenableFileText(path, errno));
  // A folder opens for reading but cannot be read; say so before the read gives a vaguer reason.
  struct stat status {};
  if (fstat(fileno(file.get()), &status) == 0 && S_ISDIR(status.st_mode)) {
    return fail(image, error, unreadableFileText(path, EISDIR));
  }
  std::vector<std::uint8_t> bytes;
  std::uint8_t chunk[65536];
  while (bytes.size() < kMaxFileBytes) {
    const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
    bytes.insert(bytes.end(), chunk, chunk + got);
    if (got < sizeof chunk) break;
  }
  if (std::ferror(file.get())) return fail(image, error, unreadableFileText(path, errno));
  return ParseBmp(bytes.data(), bytes.size(), image, error, detail);
}

std::vector<std::uint8_t> EncodeBmp(const BmpImage& image) {
  assert(image.width > 0 && image.height > 0 && "an image to encode has pixels");
  assert(image.rgb.size() == static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3 &&
         "the pixel buffer matches the image size");
  const std::size_t rowBytes = storedRowBytes(image.width);
  const std::size_t pixelBytes = rowBytes * static_cast<std::size_t>(image.height);
  const std::size_t headerBytes = kFileHeaderSize + kInfoHeaderSize;
  std::vector<std::uint8_t> bytes(headerBytes + pixelBytes, 0);

  bytes[0] = 'B';
  bytes[1] = 'M';
  WriteUint32(&bytes[2], static_cast<std::uint32_t>(bytes.size()));
  WriteUint32(&bytes[10], static_cast<std::uint32_t>(headerBytes));
  std::uint8_t* info = &bytes[kFileHeaderSize];
  WriteUint32(info, kInfoHeaderSize);
  WriteUint32(info + 4, static_cast<std::uint32_t>(image.width));
  WriteUint32(info + 8, static_cast<std::uint32_t>(image.height));  // positive: bottom row first
  WriteUint16(info + 12, 1);                                         // planes
  WriteUint16(info + 14, 24);
  WriteUint32(info + 16, kUncompressed);
  WriteUint32(info + 20, static_cast<std::uint32_t>(pixelBytes));
  WriteUint32(info + 24, 2835);  // 72 dots per inch, as pixels per metre
  WriteUint32(info + 28, 2835);

  for (int row = 0; row < image.height; ++row) {
    const std::uint8_t* source =
        image.rgb.data() + static_cast<std::size_t>(image.height - 1 - row) * static_cast<std::size_t>(image.width) * 3;
    std::uint8_t* target = &bytes[headerBytes + static_cast<std::size_t>(row) * rowBytes];
    for (int x = 0; x < image.width; ++x) {
      target[0] = source[2];
      target[1] = source[1];
      target[2] = source[0];
      target += 3;
      source += 3;
    }
  }
  return bytes;
}

bool WriteBmpFile(const char* path, const BmpImage& image, std::string& error) {
  const std::vector<std::uint8_t> bytes = EncodeBmp(image);
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) {
    error = std::string("Cannot create ") + path;
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    error = std::string("Cannot write ") + path;
    return false;
  }
  error.clear();
  return true;
}

}  // namespace ge
