// The colours shared between sheets: block colours must match on the field sheet, the accumulator's
// colour tiles and the splash pictures.
#pragma once

#include "tools/art/canvas.h"

namespace art {

// Each block colour in four tones: face (the front), top (lit), dark (shadow), mark (the letter).
struct BlockTones {
  Colour face;
  Colour top;
  Colour dark;
  Colour mark;
  char letter;
};

// Colours 1, 2, 3 ("A", "B", "C"): a warm red, a light green and a deep blue, different in
// brightness as well as hue, each block also carrying its letter.
inline constexpr BlockTones kBlockTones[4] = {
    {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, ' '},
    {{206, 62, 52}, {244, 124, 100}, {120, 28, 34}, {255, 236, 214}, 'A'},
    {{96, 196, 76}, {170, 236, 128}, {36, 108, 52}, {20, 52, 30}, 'B'},
    {{56, 92, 206}, {112, 156, 246}, {28, 40, 120}, {226, 236, 255}, 'C'},
};

// Floor and machinery.
inline constexpr Colour kFloor{50, 57, 72};
inline constexpr Colour kFloorLight{60, 68, 84};
inline constexpr Colour kFloorSeam{36, 41, 53};
inline constexpr Colour kFloorEdge{29, 32, 42};
inline constexpr Colour kFloorLip{78, 86, 104};
inline constexpr Colour kSteel{132, 140, 154};
inline constexpr Colour kSteelLight{182, 190, 202};
inline constexpr Colour kSteelDark{74, 80, 94};
inline constexpr Colour kBelt{38, 40, 47};
inline constexpr Colour kBeltRib{86, 90, 102};
inline constexpr Colour kBeltRibLight{118, 123, 136};
inline constexpr Colour kInterior{24, 22, 30};
inline constexpr Colour kPaint{255, 222, 104};  // arrows and hazard marks

// Unit housings: the trigger amber, the swapper teal, the accumulator violet.
inline constexpr Colour kTriggerHousing{214, 156, 58};
inline constexpr Colour kSwapperHousing{54, 168, 164};
inline constexpr Colour kAccumulatorHousing{146, 98, 198};

}  // namespace art
