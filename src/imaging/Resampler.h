#pragma once

#include "RgbImage.h"

namespace sorvane {

// Resamples a picture to width × height with a Lanczos-3 filter whose support
// widens with the reduction, so fine texture does not alias. Throws
// sorvane::Error when the library refuses.
RgbImage Resample(const RgbImage& src, int32_t width, int32_t height);

}  // namespace sorvane
