// Shared helpers of the OpenGL engine tests.
#include "tests/ge/gl_test_support.h"

#include <gtest/gtest.h>

#include <ostream>

#include "tests/support/temporary_folder.h"

ge::GraphicEngineGL& HeadlessEngine() {
  static ge::GraphicEngineGL* const engine = ge::GraphicEngineGL::CreateHeadless();
  return *engine;
}

std::string WriteTestBmp(const std::string& name, const ge::BmpImage& image) {
  const std::string path = TestFolder() + name;
  std::string error;
  EXPECT_TRUE(ge::WriteBmpFile(path.c_str(), image, error)) << error;
  return path;
}

ge::BmpImage SolidImage(int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  ge::BmpImage image;
  image.width = width;
  image.height = height;
  image.rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  for (std::size_t i = 0; i < image.rgb.size(); i += 3) {
    image.rgb[i] = red;
    image.rgb[i + 1] = green;
    image.rgb[i + 2] = blue;
  }
  return image;
}

void SetPixel(ge::BmpImage& image, int x, int y, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) + static_cast<std::size_t>(x)) * 3;
  image.rgb[at] = red;
  image.rgb[at + 1] = green;
  image.rgb[at + 2] = blue;
}

std::ostream& operator<<(std::ostream& stream, const Rgb& colour) {
  return stream << "(" << colour.red << ", " << colour.green << ", " << colour.blue << ")";
}

Screenshot::Screenshot(const ge::GraphicEngineGL& engine) { engine.ReadBackBuffer(rgb); }

Rgb Screenshot::at(int x, int y) const {
  const std::size_t at = (static_cast<std::size_t>(y) * ge::GraphicEngineGL::kBackBufferWidth + static_cast<std::size_t>(x)) * 3;
  return {rgb[at], rgb[at + 1], rgb[at + 2]};
}
