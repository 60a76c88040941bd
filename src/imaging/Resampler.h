#pragma once

#include <memory>

#include "RgbImage.h"
#include "platform/AlignedMemory.h"

namespace sorvane {

struct AlignedFree {
    void operator()(uint8_t* p) const { FreeAlignedMemory(p); }
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

// Rows of a picture, read once from the top: 3 bytes a pixel (RGB) or 4
// (RGBA, not premultiplied). Decoders hand theirs over one by one, so a huge
// picture need not be held whole.
class RowSource {
  public:
    virtual ~RowSource() = default;
    int32_t Width = 0, Height = 0;
    int Channels = 3;
    // The next row, valid until the next call; nullptr when it can't be read.
    virtual const uint8_t* Next() = 0;
};

// Rows that are already in memory.
class MemoryRows final : public RowSource {
  public:
    MemoryRows(const uint8_t* data, size_t stride, int32_t width, int32_t height, int channels)
        : data_(data), stride_(stride) {
        Width = width, Height = height, Channels = channels;
    }
    const uint8_t* Next() override { return data_ + stride_ * static_cast<size_t>(row_++); }

  private:
    const uint8_t* data_;
    size_t stride_;
    int32_t row_ = 0;
};

// Above this ratio between a side and its reduced side, the picture is first
// averaged over whole blocks of pixels, so the filter (whose cost grows with
// the ratio) never serves more than kMaxFilterRatio / 2 : 1. Ordinary photos
// stay below it; slivers like 30 000 000 × 1 do not.
inline constexpr int64_t kMaxFilterRatio = 32;

// Resamples a picture to width × height with a Lanczos-3 filter whose support
// widens with the reduction, so fine texture does not alias. Throws
// sorvane::Error when the library refuses or the source can't be read.
RgbImage Resample(const RgbView& src, int32_t width, int32_t height);
inline RgbImage Resample(const RgbImage& src, int32_t width, int32_t height) {
    return Resample(src.View(), width, height);
}

// The same, writing every pixel of `dst` (its size is the size resampled to).
void ResampleInto(const RgbView& src, const RgbTarget& dst);
void ResampleInto(RowSource& src, const RgbTarget& dst);  // an RGB source
// RGBA, resampled premultiplied so transparent pixels lend no colour.
void ResampleInto(RowSource& src, RgbaImage& dst);
void ResampleInto(const RgbaImage& src, RgbaImage& dst);

// The same filter straight from a JPEG's planes to RGB: chroma is resampled
// from its own resolution and converted once, at the small size.
void ResampleYccInto(const YccPlanes& src, const RgbTarget& dst);

}  // namespace sorvane
