#include "Orientation.h"

#include <cstring>

namespace sorvane {

RgbImage Reoriented(const RgbImage& src, int orientation) {
    orientation &= kMirror | kFlip | kRotate90;
    if (src.Empty() || orientation == 0) return src.Clone();
    const int32_t w = src.Width(), h = src.Height();
    const bool mirror = orientation & kMirror, flip = orientation & kFlip;
    // Source pixel of the mirrored/flipped picture A at (ax, ay).
    auto sourceOf = [&](int32_t ax, int32_t ay) {
        return src.Row(flip ? h - 1 - ay : ay) + 3 * static_cast<size_t>(mirror ? w - 1 - ax : ax);
    };
    if (!SwapsSides(orientation)) {
        RgbImage out(w, h);
        for (int32_t y = 0; y < h; ++y) {
            uint8_t* dst = out.Row(y);
            for (int32_t x = 0; x < w; ++x) std::memcpy(dst + 3 * x, sourceOf(x, y), 3);
        }
        return out;
    }
    // A quarter turn clockwise: out(x, y) = A(y, h - 1 - x), out is h wide and w tall.
    RgbImage out(h, w);
    for (int32_t y = 0; y < w; ++y) {
        uint8_t* dst = out.Row(y);
        for (int32_t x = 0; x < h; ++x) std::memcpy(dst + 3 * x, sourceOf(y, h - 1 - x), 3);
    }
    return out;
}

}  // namespace sorvane
