#pragma once

#include <cstdint>
#include <string>

namespace sorvane::test {

// Small files that claim gigabytes, as a fuzzer or a prankster makes them.

// A black (RGB) or wholly transparent (RGBA) PNG of w × h: a few megabytes.
std::string ZeroPng(uint32_t w, uint32_t h, bool alpha);
// A progressive JPEG of a few hundred bytes whose frame claims w × h.
std::string HugeProgressiveJpeg(uint16_t w, uint16_t h);
// A 1-bit BMP one row of w pixels high: its header alone, the row left out.
std::string ThinBmp(int32_t w);

// And an honest one: w × h RGBA pixels (not premultiplied, rows top down) as a PNG.
std::string RgbaPng(uint32_t w, uint32_t h, const std::string& rgba);

}  // namespace sorvane::test
