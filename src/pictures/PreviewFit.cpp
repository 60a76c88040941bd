#include "pictures/PreviewFit.h"

#include <cmath>

namespace sorvane {

int32_t RoundHalfEven(double value) {
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
    return static_cast<int32_t>(whole);
}

std::optional<PreviewRect> FitPreview(PixelSize picture, PixelSize box) {
    const int64_t pw = picture.Width, ph = picture.Height;
    const int64_t sw = box.Width, sh = box.Height;
    if (pw <= 0 || ph <= 0) return std::nullopt;

    PreviewRect r;
    // Fills the box's height; the width follows the proportions.
    const auto fillHeight = [&] {
        r.Height = static_cast<int32_t>(sh);
        r.Width = RoundHalfEven(static_cast<double>(pw * sh) / static_cast<double>(ph));
        r.Top = 0;
        r.Left = RoundHalfEven(static_cast<double>(sw - r.Width) / 2.0);
    };
    const auto fillWidth = [&] {
        r.Width = static_cast<int32_t>(sw);
        r.Height = RoundHalfEven(static_cast<double>(ph * sw) / static_cast<double>(pw));
        r.Left = 0;
        r.Top = RoundHalfEven(static_cast<double>(sh - r.Height) / 2.0);
    };
    if (ph > pw) {
        fillHeight();
        if (r.Width > sw) fillWidth();
    } else {
        fillWidth();
        if (r.Height > sh) fillHeight();
    }
    return r;
}

}  // namespace sorvane
