// Turning a loaded image into texture texels: upright in the top-left corner of a power-of-two
// texture, with alpha chosen by mode. Platform-free, so the rules are tested without a GPU.
#pragma once

#include <cstdint>

#include "ge/bmp_image.h"

namespace ge {

enum class AlphaMode {
  Opaque,            // "Null": alpha 255 everywhere, also outside the image
  BlackTransparent,  // "Auto": exact black (0, 0, 0) transparent, outside the image transparent
  FromImage,         // any other text: a second image's blue channel, outside transparent
};

// "Null" and "Auto" compared byte for byte (case matters); any other text names an alpha file.
AlphaMode AlphaModeOf(const char* mode);

// The smallest power of two not below `side`; 1 when side ≤ 1.
int TextureSide(int side);

// Writes textureWidth × textureHeight texels, top row first, R, G, B, A bytes, into `texels`.
// The image must fit the texture; `alphaImage`, for FromImage, must have the image's size.
void AssembleTexture(const BmpImage& image, const BmpImage* alphaImage, AlphaMode mode, int textureWidth,
                     int textureHeight, std::uint8_t* texels);

}  // namespace ge
