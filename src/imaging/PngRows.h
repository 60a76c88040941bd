#pragma once

#include <memory>
#include <string_view>

#include "Resampler.h"

namespace sorvane {

// A non-interlaced PNG read one row at a time, so a picture far larger than
// memory allows still streams into its reduction. Rows come as 8-bit RGB, or
// RGBA when the picture has transparency (an alpha channel or a tRNS colour);
// a gAMA is applied as the whole-picture decoder does.
class PngRows final : public RowSource {
  public:
    // No value when the bytes are not a PNG libpng can start on, or it is interlaced.
    static std::unique_ptr<PngRows> Open(std::string_view bytes);
    ~PngRows() override;
    const uint8_t* Next() override;
    struct State;  // libpng's, kept out of this header

  private:
    PngRows() = default;
    std::unique_ptr<State> state_;
};

}  // namespace sorvane
