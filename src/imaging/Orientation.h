#pragma once

#include "RgbImage.h"

namespace sorvane {

// How a stored picture must be turned to stand upright, as bits in the order
// they are applied: mirror left-right and flip top-bottom first, then turn a
// quarter clockwise. ExifOrientation reads them from a JPEG.
enum OrientationBits : int { kMirror = 1, kFlip = 2, kRotate90 = 4 };

inline bool SwapsSides(int orientation) { return (orientation & kRotate90) != 0; }

// The upright copy of a picture stored with `orientation`.
RgbImage Reoriented(const RgbImage& stored, int orientation);

}  // namespace sorvane
