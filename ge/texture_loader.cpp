// Loading BMP files into texture slots: parse, assemble in the engine's scratch, upload once.
#include "ge/texture_loader.h"

#include <string>

#include "base/event_log.h"
#include "ge/bmp_image.h"
#include "ge/graphic_engine_access.h"
#include "ge/texture_image.h"

namespace ge {

namespace {

constexpr const char* kTag = "GE";

// The error alone would not say which picture is damaged, nor how: the line before it does.
void readImage(const char* file, BmpImage& image) {
  std::string error;
  std::string detail;
  if (ReadBmpFile(file, image, error, &detail)) return;
  if (!detail.empty()) LogMessage(kTag, ("Cannot use \"" + std::string(file) + "\": " + detail).c_str());
  LogError(kTag, error.c_str());
}

}  // namespace

void LoadTexture(XGraphicEngineAccess& engine, std::int32_t slot, const char* file, const char* alphaMode) {
  // Slot 0 is the canvas the frame is drawn into; replacing it would break every later frame.
  if (slot <= 0 || slot >= kTextureSlots) LogError(kTag, "Texture slot is out of range");

  BmpImage image;
  readImage(file, image);
  const AlphaMode mode = AlphaModeOf(alphaMode);
  BmpImage alphaImage;
  if (mode == AlphaMode::FromImage) {
    readImage(alphaMode, alphaImage);
    if (alphaImage.width != image.width || alphaImage.height != image.height) {
      LogError(kTag, "Alpha image is not the size of its image");
    }
  }

  // The parser refuses anything over 1024 × 1024, so the texture always fits the scratch.
  const int width = TextureSide(image.width);
  const int height = TextureSide(image.height);
  if (width > XGraphicEngineAccess::kMaxTextureSide || height > XGraphicEngineAccess::kMaxTextureSide) {
    LogError(kTag, "Image is larger than 1024 x 1024");
  }
  std::uint8_t* texels = engine.TextureScratch();
  AssembleTexture(image, mode == AlphaMode::FromImage ? &alphaImage : nullptr, mode, width, height, texels);
  engine.SetSlotImage(slot, width, height, texels, static_cast<float>(image.width) / static_cast<float>(width),
                      static_cast<float>(image.height) / static_cast<float>(height));
}

}  // namespace ge
