#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "RgbImage.h"

namespace sorvane {

// Whether the profile describes grey pictures (its header's colour space).
bool IsGreyProfile(std::string_view icc);

// Converts pixels from a picture's own colour space to sRGB, as a
// colour-managed viewer shows them (perceptual intent, LittleCMS).
class ToSrgb {
  public:
    // No value when there is nothing to do: no profile, one LittleCMS can't
    // use or that describes neither RGB nor grey, or one that leaves every
    // colour as it is (an sRGB or sGray profile), so such pictures keep their
    // exact bytes. A grey picture arrives as RGB with equal channels.
    static std::optional<ToSrgb> For(const std::string& icc);

    void Apply(const RgbTarget& pixels) const;
    // Non-premultiplied RGBA rows; alpha is kept.
    void ApplyRgba(uint8_t* rows, size_t stride, int32_t width, int32_t height) const;

  private:
    struct Transforms;
    std::shared_ptr<const Transforms> transforms_;
};

// Adds `icc` to encoded JPEG bytes as APP2 segments right after the JFIF
// header. Nothing changes when `icc` is empty.
std::string WithJpegIccProfile(std::string jpeg, std::string_view icc);

}  // namespace sorvane
