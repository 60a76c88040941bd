#pragma once

#include <cstdlib>
#include <memory>

#include "RgbImage.h"

namespace sorvane {

struct AlignedFree {
    void operator()(uint8_t* p) const { std::free(p); }
};
// Rows and planes aligned for the resampler's SIMD code.
using AlignedBytes = std::unique_ptr<uint8_t[], AlignedFree>;
AlignedBytes AllocateAligned(size_t bytes);
size_t AlignedStride(size_t width);

// A JPEG's own planes: full-range YCbCr (BT.601) with chroma perhaps
// subsampled, or luma alone for a grey picture. Planes may be padded beyond
// the picture's size (to whole chroma samples).
struct YccPlanes {
    int32_t Width = 0, Height = 0;  // the picture
    int Components = 3;             // 3, or 1 for grey
    int32_t PlaneWidth[3] = {}, PlaneHeight[3] = {};
    size_t Stride[3] = {};
    AlignedBytes Plane[3];
};

// Resamples a picture to width × height with a Lanczos-3 filter whose support
// widens with the reduction, so fine texture does not alias. Throws
// sorvane::Error when the library refuses.
RgbImage Resample(const RgbView& src, int32_t width, int32_t height);
inline RgbImage Resample(const RgbImage& src, int32_t width, int32_t height) {
    return Resample(src.View(), width, height);
}

// The same, writing every pixel of `dst` (its size is the size resampled to).
void ResampleInto(const RgbView& src, const RgbTarget& dst);

// The same filter straight from a JPEG's planes to RGB: chroma is resampled
// from its own resolution and converted once, at the small size.
void ResampleYccInto(const YccPlanes& src, const RgbTarget& dst);

}  // namespace sorvane
