#pragma once

#include <optional>
#include <string_view>

#include "PictureFormat.h"
#include "RgbImage.h"
#include "platform/Geometry.h"

namespace sorvane {

// Decodes a picture to 24-bit RGB in its stored orientation. JPEG goes
// through TurboJPEG and PNG through libpng; whatever they refuse (CMYK JPEG, a
// file whose content is another format than its name says) is tried with Qt's
// reader. Transparency is laid over `background` (COLORREF).
//
// `atLeast` lets the JPEG decoder skip work: it decodes at the smallest DCT
// scale (1/8, 1/4, 1/2) that keeps at least twice that size, else at full
// size; other formats always come at full size. Pass the full size to get it.
//
// No value when nothing could read the picture or its size is refused.
std::optional<RgbImage> DecodePicture(std::string_view bytes, PictureFormat key, PixelSize atLeast,
                                      uint32_t background);

// Decodes a picture and resamples it to exactly `size` (stored orientation).
// JPEG goes from its own YCbCr planes, decoded at the DCT scale above, to RGB
// at the small size; the rest through DecodePicture and Resample.
std::optional<RgbImage> DecodeReduced(std::string_view bytes, PictureFormat key, PixelSize size,
                                      uint32_t background);

// The same, written straight into `dst` (say, its place on a canvas), whose
// size is the size reduced to. A big PNG streams into it row by row. False when nothing could read
// the picture; `dst` may then hold part of it.
bool DecodeReducedInto(std::string_view bytes, PictureFormat key, const RgbTarget& dst,
                       uint32_t background);

// A PNG with its transparency kept, at `size` (resampled premultiplied when
// smaller than the picture; a big one streamed row by row). No value when
// it is not a PNG or can't be read.
std::optional<RgbaImage> DecodePngRgba(std::string_view bytes, PixelSize size);

}  // namespace sorvane
