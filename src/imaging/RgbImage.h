#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

namespace sorvane {

// True when a picture of width × height fits a 24-bit buffer whose byte count
// stays within 32-bit signed range (and both sides are positive). Checked
// before anything is allocated, so a lying header costs nothing.
bool FitsRgbBuffer(int64_t width, int64_t height);

// Lays `count` non-premultiplied RGBA pixels over a COLORREF colour, as a
// page would show them, writing RGB.
void ComposeOver(const uint8_t* rgba, size_t count, uint32_t colorRef, uint8_t* rgb);

// Rows of 24-bit pixels owned by someone else (ours, or a Qt image's).
struct RgbView {
    const uint8_t* Data = nullptr;
    size_t Stride = 0;
    int32_t Width = 0, Height = 0;
    const uint8_t* Row(int32_t y) const { return Data + Stride * static_cast<size_t>(y); }
};

// Rows of 24-bit pixels to write into, owned by someone else: say, the part
// of a canvas where a picture goes, so it is written there and nowhere else.
struct RgbTarget {
    uint8_t* Data = nullptr;
    size_t Stride = 0;
    int32_t Width = 0, Height = 0;
    uint8_t* Row(int32_t y) const { return Data + Stride * static_cast<size_t>(y); }
    RgbView View() const { return {Data, Stride, Width, Height}; }
};

// A 24-bit picture: 3 bytes per pixel in R, G, B order, rows packed at
// width × 3 bytes, top row first.
class RgbImage;

// A picture with transparency: 4 bytes per pixel in R, G, B, A order, not
// premultiplied, rows packed at width × 4 bytes.
class RgbaImage {
  public:
    RgbaImage() = default;
    // Uninitialised pixels. Throws sorvane::Error when the size is refused.
    RgbaImage(int32_t width, int32_t height);
    bool Empty() const { return !data_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    size_t Stride() const { return static_cast<size_t>(width_) * 4; }
    uint8_t* Data() { return data_.get(); }
    const uint8_t* Data() const { return data_.get(); }
    uint8_t* Row(int32_t y) { return data_.get() + Stride() * static_cast<size_t>(y); }
    const uint8_t* Row(int32_t y) const { return data_.get() + Stride() * static_cast<size_t>(y); }
    // Lays the picture over a COLORREF colour, into `dst` of the same size.
    void ComposeInto(uint32_t colorRef, const struct RgbTarget& dst) const;

  private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::unique_ptr<uint8_t[]> data_;
};

class RgbImage {
  public:
    RgbImage() = default;
    // Uninitialised pixels. Throws sorvane::Error when the size is refused.
    RgbImage(int32_t width, int32_t height);

    RgbImage(RgbImage&&) noexcept = default;
    RgbImage& operator=(RgbImage&&) noexcept = default;

    bool Empty() const { return !data_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    size_t Stride() const { return static_cast<size_t>(width_) * 3; }
    size_t ByteCount() const { return Stride() * static_cast<size_t>(height_); }
    uint8_t* Data() { return data_.get(); }
    const uint8_t* Data() const { return data_.get(); }
    uint8_t* Row(int32_t y) { return data_.get() + Stride() * static_cast<size_t>(y); }
    const uint8_t* Row(int32_t y) const { return data_.get() + Stride() * static_cast<size_t>(y); }

    RgbImage Clone() const;
    RgbView View() const { return {Data(), Stride(), width_, height_}; }
    RgbTarget Target() { return {Data(), Stride(), width_, height_}; }
    // The width × height part with its top-left corner at (x, y); none unless
    // it lies wholly inside and has pixels.
    std::optional<RgbTarget> Area(int32_t x, int32_t y, int32_t width, int32_t height);

    // Paints every pixel in a COLORREF colour (0x00BBGGRR).
    void Fill(uint32_t colorRef);

    // Copies `over` onto this picture with its top-left corner at (x, y).
    // False (and nothing changed) unless it lies wholly inside.
    bool Overlay(const RgbImage& over, int32_t x, int32_t y);

  private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::unique_ptr<uint8_t[]> data_;
};

}  // namespace sorvane
