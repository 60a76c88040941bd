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
    const int32_t width = (area.Right - 10) - (area.Left + 10);
    const int32_t height = (area.Bottom - 10) - (area.Top + 10);
    return {std::min(width, largest.Width), std::min(height, largest.Height)};
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
