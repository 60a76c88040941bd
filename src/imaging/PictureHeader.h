#pragma once

#include <optional>
#include <string>

#include "PictureProbe.h"
#include "platform/Geometry.h"

namespace sorvane {

// A picture file's probe, reading only as much of the file as its header
// needs. No value as well when the file's name has no picture key.
std::optional<PictureProbe> ProbePictureFile(const std::string& path);

// The size of a picture as it is shown. Measuring takes only files whose name
// has a picture key; the preview (anyFormat) takes any BMP, JPEG, PNG or GIF,
// whatever its name.
std::optional<PixelSize> ReadPictureSize(const std::string& path, bool anyFormat = false);

}  // namespace sorvane
