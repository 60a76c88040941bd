#pragma once

#include <cstdint>
#include <optional>

#include "platform/Geometry.h"

namespace sorvane {

// Where the preview box draws a picture.
struct PreviewRect {
    int32_t Left = 0, Top = 0, Width = 0, Height = 0;
    bool operator==(const PreviewRect&) const = default;
};

// Nearest integer, halves to the even neighbour.
int32_t RoundHalfEven(double value);

// Scales the picture to fill the box in one direction, keeping its proportions
// (enlarging small pictures too), centred in the other direction. nullopt for
// a picture without area.
std::optional<PreviewRect> FitPreview(PixelSize picture, PixelSize box);

}  // namespace sorvane
