// Shared helpers of the tests that draw through the real OpenGL engine on surfaceless EGL.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ge/bmp_image.h"
#include "ge/graphic_engine_gl.h"

// One engine per test program: a context takes a while to create, and every test leaves the
// engine ready for the next (frames begin with BeginFrame and a Clear).
ge::GraphicEngineGL& HeadlessEngine();

// A BMP file written into the test program's own folder (TestFolder in tests/support/temporary_folder.h); returns its path.
std::string WriteTestBmp(const std::string& name, const ge::BmpImage& image);

// An image of one colour.
ge::BmpImage SolidImage(int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
void SetPixel(ge::BmpImage& image, int x, int y, std::uint8_t red, std::uint8_t green, std::uint8_t blue);

struct Rgb {
  int red;
  int green;
  int blue;
  bool operator==(const Rgb&) const = default;
};
std::ostream& operator<<(std::ostream& stream, const Rgb& colour);

// The back buffer read once, addressed by display pixel.
class Screenshot {
 public:
  explicit Screenshot(const ge::GraphicEngineGL& engine);
  Rgb at(int x, int y) const;

 private:
  std::vector<std::uint8_t> rgb;
};
