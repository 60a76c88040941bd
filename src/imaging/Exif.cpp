#include "Exif.h"

#include <cstddef>
#include <cstdint>

#include "Orientation.h"

namespace sorvane {

int ExifOrientation(std::string_view app1) {
    constexpr std::string_view kTag{"Exif\0\0", 6};
    if (app1.substr(0, kTag.size()) != kTag) return 0;
    const std::string_view tiff = app1.substr(kTag.size());
    const auto* p = reinterpret_cast<const unsigned char*>(tiff.data());
    const size_t n = tiff.size();
    if (n < 8) return 0;
    const bool little = p[0] == 'I' && p[1] == 'I';
    if (!little && !(p[0] == 'M' && p[1] == 'M')) return 0;
    auto u16 = [&](size_t at) {
        return static_cast<uint32_t>(little ? p[at] | p[at + 1] << 8 : p[at] << 8 | p[at + 1]);
    };
    auto u32 = [&](size_t at) {
        return little ? u16(at) | u16(at + 2) << 16 : u16(at) << 16 | u16(at + 2);
    };
    if (u16(2) != 42) return 0;
    const size_t directory = u32(4);
    if (directory > n - 2) return 0;
    const size_t entries = u16(directory);
    for (size_t i = 0; i < entries; ++i) {
        const size_t at = directory + 2 + 12 * i;
        if (at + 12 > n) break;
        if (u16(at) != 0x0112) continue;
        // Bits in the order they are applied: mirror, flip, then a quarter turn.
        switch (u16(at + 8)) {
            case 2:
                return kMirror;
            case 3:
                return kMirror | kFlip;
            case 4:
                return kFlip;
            case 5:
                return kFlip | kRotate90;
            case 6:
                return kRotate90;
            case 7:
                return kMirror | kRotate90;
            case 8:
                return kMirror | kFlip | kRotate90;
            default:
                return 0;
        }
    }
    return 0;
}

}  // namespace sorvane
