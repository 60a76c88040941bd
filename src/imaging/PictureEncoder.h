#pragma once

#include <string>
#include <string_view>

#include "PictureFormat.h"
#include "RgbImage.h"

namespace sorvane {

// zlib level and row filter for PNG copies, chosen by measurement
// (bench/prepare_bench.sh prints the table): on screen-sized canvases the Sub
// filter at level 2 encodes about 5 times faster than libpng's defaults (all
// filters, level 6) for files about a tenth larger.
inline constexpr int kPngCompressionLevel = 2;
inline constexpr int kPngFilters = 0x10;  // Sub

// Encodes a picture in the format of its key: BMP 24 bits without palette,
// JPEG quality 100 with full-resolution (4:4:4) chroma, PNG 8-bit RGB (colour
// type 2). A non-empty `icc` profile is embedded (JPEG and PNG; BMP has none).
// Throws sorvane::Error when the key is not a picture format or the encoder
// fails.
std::string EncodePicture(const RgbImage& image, PictureFormat key);
std::string EncodePicture(const RgbView& image, PictureFormat key, std::string_view icc = {});

// An 8-bit RGBA PNG (colour type 6), with `icc` embedded when given.
std::string EncodePngRgba(const RgbaImage& image, std::string_view icc = {});

// PNG at an explicit zlib level and set of row filters (libpng's PNG_FILTER_*
// bits); what EncodePicture uses is measured with this.
std::string EncodePngWith(const RgbImage& image, int level, int filters);
std::string EncodePngWith(const RgbView& image, int level, int filters);

}  // namespace sorvane
