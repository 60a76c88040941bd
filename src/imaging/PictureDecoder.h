#pragma once

#include <optional>
#include <string_view>

#include "PicturePlan.h"
#include "RgbImage.h"
#include "platform/Geometry.h"

namespace sorvane {

// Decodes a picture as its plan says, to exactly plan.Decoded's size in its
// stored orientation: JPEG through TurboJPEG (CMYK too), PNG through libpng,
// BMP through our own reader, whatever the name says. Transparency is laid
// over `background` (COLORREF). No value when the picture can't be read.
std::optional<RgbImage> DecodeRgb(std::string_view bytes, const PicturePlan& plan,
                                  uint32_t background);

// A PNG with its transparency kept, at plan.Decoded's size (resampled
// premultiplied when smaller; a big one streamed row by row).
std::optional<RgbaImage> DecodeRgba(std::string_view bytes, const PicturePlan& plan);

// Resampled to exactly `size` (stored orientation), by the plan a picture of
// that size gets.
std::optional<RgbImage> DecodeReduced(std::string_view bytes, PixelSize size, uint32_t background);

// At full size, except JPEG, which comes at the smallest DCT scale (1/8, 1/4,
// 1/2) that keeps at least twice `atLeast`. Pass the full size to get it.
std::optional<RgbImage> DecodePicture(std::string_view bytes, PixelSize atLeast,
                                      uint32_t background);

}  // namespace sorvane
