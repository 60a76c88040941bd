#pragma once

#include <optional>
#include <string>

#include "settings/FormState.h"

namespace sorvane {

// The size in pixels of a JPEG, BMP or PNG picture as it is shown upright (an
// EXIF orientation that turns it by a quarter swaps the sides), read from its
// header. nullopt when the file is missing or not a picture Qt can read.
std::optional<PixelSize> ReadPictureSize(const std::string& path);

}  // namespace sorvane
