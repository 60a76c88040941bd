#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "PictureFormat.h"
#include "platform/Geometry.h"

namespace sorvane {

// What a picture's header says, read without decoding any pixels.
struct PictureHeader {
    int32_t Width = 0;  // as stored, before turning upright
    int32_t Height = 0;
    int Orientation = 0;  // OrientationBits
    // The size as the picture is shown (sides swapped by a quarter turn).
    PixelSize Upright() const;
};

// Reads a picture's size and EXIF orientation from its header only. Pictures
// are recognised by content, so a PNG named .jpg is still read; `key` only
// says which formats to try first. No value when the file is unreadable, has
// another key, or claims a size whose 24-bit buffer would leave the 32-bit
// range (refused here, before any decoder could allocate it).
std::optional<PictureHeader> ReadPictureHeader(const std::string& path, PictureFormat key);
std::optional<PictureHeader> ReadPictureHeaderFromBytes(std::string_view bytes, PictureFormat key);

// The size of a picture as it is shown, from the header of the file at
// `path`. Measuring and the preview both use it: measuring takes only files
// whose name has a picture key; the preview (anyFormat) shows whatever
// picture Qt can read, whatever its name.
std::optional<PixelSize> ReadPictureSize(const std::string& path, bool anyFormat = false);

}  // namespace sorvane
