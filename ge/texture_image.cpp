// Texel assembly for loaded images: placement, padding and the three alpha modes.
#include "ge/texture_image.h"

#include <cassert>
#include <cstring>

namespace ge {

AlphaMode AlphaModeOf(const char* mode) {
  if (std::strcmp(mode, "Null") == 0) return AlphaMode::Opaque;
  if (std::strcmp(mode, "Auto") == 0) return AlphaMode::BlackTransparent;
  return AlphaMode::FromImage;
}

int TextureSide(int side) {
  int power = 1;
  while (power < side) power *= 2;
  return power;
}

void AssembleTexture(const BmpImage& image, const BmpImage* alphaImage, AlphaMode mode, int textureWidth,
                     int textureHeight, std::uint8_t* texels) {
  assert(image.width <= textureWidth && image.height <= textureHeight);
  assert(mode != AlphaMode::FromImage ||
         (alphaImage != nullptr && alphaImage->width == image.width && alphaImage->height == image.height));
  const std::uint8_t outsideAlpha = mode == AlphaMode::Opaque ? 255 : 0;
  const std::size_t rowBytes = static_cast<std::size_t>(textureWidth) * 4;
  for (int row = 0; row < textureHeight; ++row) {
    std::uint8_t* out = texels + static_cast<std::size_t>(row) * rowBytes;
    int column = 0;
    if (row < image.height) {
      const std::size_t rowStart = static_cast<std::size_t>(row) * static_cast<std::size_t>(image.width) * 3;
      const std::uint8_t* rgb = image.rgb.data() + rowStart;
      const std::uint8_t* alphaRgb = mode == AlphaMode::FromImage ? alphaImage->rgb.data() + rowStart : nullptr;
      for (; column < image.width; ++column) {
        const std::uint8_t red = rgb[column * 3];
        const std::uint8_t green = rgb[column * 3 + 1];
        const std::uint8_t blue = rgb[column * 3 + 2];
        std::uint8_t alpha = 255;
        if (mode == AlphaMode::BlackTransparent) {
          alpha = (red | green | blue) == 0 ? 0 : 255;
        } else if (mode == AlphaMode::FromImage) {
          alpha = alphaRgb[column * 3 + 2];  // the blue byte
        }
        out[column * 4] = red;
        out[column * 4 + 1] = green;
        out[column * 4 + 2] = blue;
        out[column * 4 + 3] = alpha;
      }
    }
    for (; column < textureWidth; ++column) {
      out[column * 4] = 0;
      out[column * 4 + 1] = 0;
      out[column * 4 + 2] = 0;
      out[column * 4 + 3] = outsideAlpha;
    }
  }
}

}  // namespace ge
