#include "RgbImage.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

#include "platform/Error.h"

namespace sorvane {

bool FitsRgbBuffer(int64_t width, int64_t height) {
    if (width <= 0 || height <= 0) return false;
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    // Divide rather than multiply so absurd sides cannot overflow the test itself.
    return width <= kMax / 3 && height <= kMax / (width * 3);
}

void ComposeOver(const uint8_t* in, size_t count, uint32_t colorRef, uint8_t* out) {
    const unsigned bg[3] = {colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF};
    for (size_t i = 0; i < count; ++i, in += 4, out += 3) {
        const unsigned a = in[3];
        for (int c = 0; c < 3; ++c)
            out[c] = static_cast<uint8_t>((in[c] * a + bg[c] * (255 - a) + 127) / 255);
    }
}

RgbImage::RgbImage(int32_t width, int32_t height) {
    if (!FitsRgbBuffer(width, height))
        throw Error("A picture of " + std::to_string(width) + " x " + std::to_string(height) +
                    " pixels is too large or empty.");
    width_ = width;
    height_ = height;
    data_ = std::make_unique_for_overwrite<uint8_t[]>(ByteCount());
}

RgbaImage::RgbaImage(int32_t width, int32_t height) {
    if (!FitsRgbBuffer(width, height))
        throw Error("A picture of " + std::to_string(width) + " x " + std::to_string(height) +
                    " pixels is too large or empty.");
    width_ = width;
    height_ = height;
    data_ = std::make_unique_for_overwrite<uint8_t[]>(Stride() * static_cast<size_t>(height));
}

void RgbaImage::ComposeInto(uint32_t colorRef, const RgbTarget& dst) const {
    for (int32_t y = 0; y < height_ && y < dst.Height; ++y)
        ComposeOver(Row(y), static_cast<size_t>(std::min(width_, dst.Width)), colorRef, dst.Row(y));
}

RgbImage RgbImage::Clone() const {
    if (Empty()) return {};
    RgbImage copy(width_, height_);
    std::memcpy(copy.Data(), Data(), ByteCount());
    return copy;
}

void RgbImage::Fill(uint32_t colorRef) {
    if (Empty()) return;
    const uint8_t rgb[3] = {static_cast<uint8_t>(colorRef & 0xFF),
                            static_cast<uint8_t>((colorRef >> 8) & 0xFF),
                            static_cast<uint8_t>((colorRef >> 16) & 0xFF)};
    // Fill the first row pixel by pixel, then copy it down: rows are the wide unit.
    uint8_t* first = Row(0);
    for (int32_t x = 0; x < width_; ++x) std::memcpy(first + 3 * x, rgb, 3);
    for (int32_t y = 1; y < height_; ++y) std::memcpy(Row(y), first, Stride());
}

std::optional<RgbTarget> RgbImage::Area(int32_t x, int32_t y, int32_t width, int32_t height) {
    if (Empty() || x < 0 || y < 0 || width <= 0 || height <= 0) return std::nullopt;
    if (static_cast<int64_t>(x) + width > width_ || static_cast<int64_t>(y) + height > height_)
        return std::nullopt;
    return RgbTarget{Row(y) + static_cast<size_t>(x) * 3, Stride(), width, height};
}

bool RgbImage::Overlay(const RgbImage& over, int32_t x, int32_t y) {
    if (Empty() || over.Empty() || x < 0 || y < 0) return false;
    if (static_cast<int64_t>(x) + over.Width() > width_ ||
        static_cast<int64_t>(y) + over.Height() > height_)
        return false;
    for (int32_t row = 0; row < over.Height(); ++row)
        std::memcpy(Row(y + row) + static_cast<size_t>(x) * 3, over.Row(row), over.Stride());
    return true;
}

}  // namespace sorvane
