// libFuzzer target for the BMP reader and the texel assembly that follows it in the texture
// loader: any input must either be refused with a message or give an image that holds together.
// Built with clang only, by tests/fuzz/run (the normal gcc build never sees this file).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ge/bmp_image.h"
#include "ge/texture_image.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ge::BmpImage image;
  std::string error;
  if (!ge::ParseBmp(data, size, image, error)) {
    check(!error.empty());
    check(image.rgb.empty());
    return 0;
  }
  check(image.width >= 0 && image.height >= 0);
  check(image.width <= ge::kMaxImageSide && image.height <= ge::kMaxImageSide);
  check(image.rgb.size() == static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3);

  // What the loader does next: assemble a power-of-two texture in each alpha mode.
  const int width = ge::TextureSide(image.width);
  const int height = ge::TextureSide(image.height);
  std::vector<std::uint8_t> texels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
  ge::AssembleTexture(image, nullptr, ge::AlphaMode::Opaque, width, height, texels.data());
  ge::AssembleTexture(image, nullptr, ge::AlphaMode::BlackTransparent, width, height, texels.data());
  ge::AssembleTexture(image, &image, ge::AlphaMode::FromImage, width, height, texels.data());

  // Writing the image and reading it back gives the same pixels.
  const std::vector<std::uint8_t> encoded = ge::EncodeBmp(image);
  ge::BmpImage again;
  check(ge::ParseBmp(encoded.data(), encoded.size(), again, error));
  check(again.width == image.width && again.height == image.height && again.rgb == image.rgb);
  return 0;
}
