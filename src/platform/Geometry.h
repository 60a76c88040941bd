#pragma once

#include <cstdint>

namespace sorvane {

struct Rect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

struct PixelSize {
    int32_t Width = 0;
    int32_t Height = 0;
    bool operator==(const PixelSize&) const = default;
};

}  // namespace sorvane
