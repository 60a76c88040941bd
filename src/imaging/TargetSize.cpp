#include <algorithm>
#include <cmath>

#include "Preparation.h"

namespace sorvane {

namespace {

// Products in 32 bits, the quotient in double, halves to the even neighbour.
int32_t ScaledSide(int32_t a, int32_t b, int32_t c) {
    const int32_t product =
        static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
    return static_cast<int32_t>(std::nearbyint(static_cast<double>(product) / c));
}

int32_t HalfRounded(int32_t v) { return static_cast<int32_t>(std::nearbyint(v / 2.0)); }

}  // namespace

PixelSize TargetSizeFor(const Rect& area, PixelSize largest) {
    // In 64 bits: a work area spanning the whole 32-bit range must not wrap.
    const int64_t width = (int64_t{area.Right} - 10) - (int64_t{area.Left} + 10);
    const int64_t height = (int64_t{area.Bottom} - 10) - (int64_t{area.Top} + 10);
    auto side = [](int64_t screenSide, int32_t largestSide) {
        return static_cast<int32_t>(
            std::clamp<int64_t>(std::min<int64_t>(screenSide, largestSide), INT32_MIN, INT32_MAX));
    };
    return {side(width, largest.Width), side(height, largest.Height)};
}

void FitPicture(PicturePlacement& p, PixelSize target, int alignIndex) {
    const int32_t w = p.Right, h = p.Bottom;
    const int32_t tw = target.Width, th = target.Height;
    int32_t nw = w, nh = h;
    if (w > tw) {
        nw = tw;
        nh = ScaledSide(tw, h, w);
        if (nh > th) {
            nh = th;
            nw = ScaledSide(th, w, h);
        }
    } else if (h > th) {
        nh = th;
        nw = ScaledSide(th, w, h);
    }
    p.Top = HalfRounded(th - nh);
    p.Bottom = p.Top + nh;
    if (alignIndex == 0) {
        p.Left = 0;
        p.Right = nw;
    } else if (alignIndex == 1) {
        p.Left = HalfRounded(tw - nw);
        p.Right = p.Left + nw;
    } else {
        p.Left = tw - nw;
        p.Right = tw;
    }
}

}  // namespace sorvane
