// The game's five pictures: which texture slot each fills, from which file of the data folder,
// with which alpha mode. "Null" keeps the picture opaque (the logo and the splash cover the
// whole screen); "Auto" makes exact black transparent (the sprite sheets draw over the field).
#pragma once

#include <cstdint>

#include "ge/graphic_engine.h"

struct GamePicture {
  std::int32_t slot;
  const char* file;       // in the data folder
  const char* alphaMode;  // as ge::LoadTexture takes it
};

inline constexpr GamePicture kGamePictures[] = {
    {ge::kLogoSlot, "logo.bmp", "Null"},         {ge::kSplashSlot, "vusk.bmp", "Null"},
    {ge::kFieldSheetSlot, "field.bmp", "Auto"},  {ge::kButtonSheetSlot, "button.bmp", "Auto"},
    {ge::kUnitSheetSlot, "unit.bmp", "Auto"},
};
