#pragma once

#include <string_view>

namespace sorvane {

// The orientation (OrientationBits) an APP1 segment's EXIF data gives the
// picture, read from its first directory; 0 when there is none or it is
// damaged. Every offset is checked against `app1`, so any bytes are safe.
int ExifOrientation(std::string_view app1);

}  // namespace sorvane
