#pragma once

#include <string>

#include "PictureFormat.h"
#include "RgbImage.h"

namespace sorvane {

// zlib level for PNG copies. Level 2 with the Paeth/Up filters gives files
// close to the default level's size at a fraction of its time (see bench/).
inline constexpr int kPngCompressionLevel = 2;

// Encodes a picture in the format of its key: BMP 24 bits without palette,
// JPEG quality 100 with full-resolution (4:4:4) chroma, PNG 8-bit RGB (colour
// type 2). Throws sorvane::Error when the key is not a picture format or the
// encoder fails.
std::string EncodePicture(const RgbImage& image, PictureFormat key);

}  // namespace sorvane
