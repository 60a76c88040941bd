#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "PictureFormat.h"
#include "platform/Geometry.h"

namespace sorvane {

// Everything a picture's header says, read once by its codec library (libjpeg,
// libpng, our BMP reader) without decoding any pixel: what the plan for
// decoding it, the memory budget and the colour conversion go by.
struct PictureProbe {
    PictureFormat Format = PictureFormat::Other;  // by content, whatever the name says
    int32_t Width = 0;                            // as stored, before turning upright
    int32_t Height = 0;
    int Orientation = 0;  // OrientationBits, from a JPEG's EXIF
    // The embedded ICC profile: a JPEG's APP2 segments, a PNG's iCCP chunk
    // (none when a PNG says sRGB first). BMP profiles are not read.
    std::string Icc;
    bool Transparent = false;  // PNG: an alpha channel or a tRNS colour
    bool Interlaced = false;   // PNG: Adam7, decoded whole
    // JPEG: progressive or in several scans, so libjpeg holds every DCT
    // coefficient of the full-size picture, whatever the scale decoded to.
    bool WholeCoefficients = false;
    double CoefficientBytesPerPixel = 0;  // 2 bytes per coefficient, per its sampling
    bool Cmyk = false;                    // JPEG: CMYK or YCCK, which goes through RGB
    int BitDepth = 8;                     // per channel (PNG 1 to 16, BMP per pixel)

    PixelSize Stored() const { return {Width, Height}; }
    // The size as the picture is shown (sides swapped by a quarter turn).
    PixelSize Upright() const;
};

// No value when no codec reads the header, or it claims a size whose 24-bit
// buffer would leave the 32-bit range (refused here, before any decoder could
// allocate it).
std::optional<PictureProbe> ProbePicture(std::string_view bytes);
// The same for a picture too large to hold in memory (whose header reads
// fine), so that it can be refused by name rather than passed over.
std::optional<PictureProbe> ProbePictureOfAnySize(std::string_view bytes);

// The format a picture's first bytes say it is.
PictureFormat FormatOfContent(std::string_view bytes);

// The ICC profile embedded in a picture (PictureProbe::Icc), empty when none.
std::string EmbeddedIccProfile(std::string_view bytes);

}  // namespace sorvane
