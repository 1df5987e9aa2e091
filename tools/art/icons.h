// The desktop icons: the logo resampled to the sizes desktops ask for, with its black background
// see-through. Small icons show the emblem alone, since the lettering would be a smudge there.
#pragma once

#include <cstdint>
#include <vector>

namespace art {

// An RGBA picture, top row first, four bytes per pixel, alpha not premultiplied.
struct IconPicture {
  int size = 0;
  std::vector<std::uint8_t> rgba;
};

// The sizes installed under share/icons/hicolor/<size>x<size>/apps/.
inline constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

// The icon of one size, drawn from DrawLogo().
IconPicture DrawIcon(int size);

}  // namespace art
