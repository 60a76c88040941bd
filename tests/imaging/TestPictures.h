#pragma once

#include <lcms2.h>

#include <filesystem>
#include <string>

#include "imaging/PictureFormat.h"
#include "imaging/RgbImage.h"

namespace sorvane::test {

// A picture in one COLORREF colour.
RgbImage Solid(int32_t w, int32_t h, uint32_t colorRef);
// Smooth diagonal gradients: resampling should hardly change them.
RgbImage Gradient(int32_t w, int32_t h);

// Encodes with our encoder and writes the file.
void WritePicture(const std::filesystem::path& path, const RgbImage& image, PictureFormat key);
// Decodes a file at full size (empty when unreadable).
RgbImage ReadPicture(const std::filesystem::path& path, uint32_t background = 0);

// A JPEG with an EXIF block carrying `orientation` (1..8) right after SOI.
std::string WithExifOrientation(const std::string& jpeg, int orientation);

// An ICC profile's bytes; the profile is closed.
std::string ProfileBytes(cmsHPROFILE profile);

// The COLORREF of a pixel.
uint32_t PixelAt(const RgbImage& image, int32_t x, int32_t y);
// Whether two colours differ by at most `tolerance` in every channel.
bool Near(uint32_t a, uint32_t b, int tolerance);

}  // namespace sorvane::test
