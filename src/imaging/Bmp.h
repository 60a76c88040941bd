#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "RgbImage.h"
#include "platform/Geometry.h"

namespace sorvane {

// Our own BMP reader and writer: a few hundred bytes of header, so no
// toolkit is needed for it.
//
// Read: 1, 4 and 8-bit palettes (RLE4 and RLE8 too), 16 and 32-bit with or
// without bit fields (an alpha field laid over `background`, a COLORREF),
// 24-bit; bottom-up or top-down; the old 12-byte header and the 40 to
// 124-byte ones. Anything else (embedded JPEG or PNG, other bit depths, a
// size beyond the 32-bit rule) is unreadable. Rows the file does not hold
// (it ends early, RLE skips them) come out as palette entry 0, or black.

// The size in a BMP's header; no value when the header is not one we read.
std::optional<PixelSize> ReadBmpSize(std::string_view bytes);

std::optional<RgbImage> DecodeBmp(std::string_view bytes, uint32_t background);

// 24 bits per pixel without palette, bottom-up, 40-byte header.
std::string EncodeBmp(const RgbView& image);

}  // namespace sorvane
