#include "Bmp.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <vector>

#include "platform/Error.h"

namespace sorvane {

namespace {

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

uint32_t Le32(const unsigned char* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}
uint16_t Le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

struct Layout {
    int32_t Width = 0, Height = 0;
    bool TopDown = false;
    int Bits = 0;
    uint32_t Compression = kRgb;
    std::array<uint32_t, 4> Masks{};         // red, green, blue, alpha
    std::array<uint8_t, 3 * 256> Palette{};  // R, G, B
    size_t PixelOffset = 0;
};

std::optional<Layout> ReadLayout(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    if (n < 26 || p[0] != 'B' || p[1] != 'M') return std::nullopt;
    const uint32_t headerSize = Le32(p + 14);
    Layout l;
    int64_t width = 0, height = 0;
    uint32_t colours = 0;
    size_t paletteEntry = 4;
    if (headerSize == 12) {  // the old core header: 16-bit sides, 3-byte palette entries
        width = Le16(p + 18);
        height = Le16(p + 20);
        l.Bits = Le16(p + 24);
        paletteEntry = 3;
    } else if (headerSize >= 40 && headerSize <= 124 && n >= 14 + size_t{headerSize}) {
        width = static_cast<int32_t>(Le32(p + 18));
        height = static_cast<int32_t>(Le32(p + 22));
        l.Bits = Le16(p + 28);
        l.Compression = Le32(p + 30);
        colours = Le32(p + 46);
        // The 64-byte header of the other lineage numbers its compressions differently.
        if (headerSize == 64 && l.Compression > kRle4) return std::nullopt;
    } else {
        return std::nullopt;
    }
    l.TopDown = height < 0;
    height = height < 0 ? -height : height;
    if (!FitsRgbBuffer(width, height)) return std::nullopt;
    l.Width = static_cast<int32_t>(width);
    l.Height = static_cast<int32_t>(height);

    size_t after = 14 + size_t{headerSize};
    const bool fields = l.Compression == kBitFields || l.Compression == kAlphaBitFields;
    switch (l.Compression) {
        case kRgb:
            if (l.Bits != 1 && l.Bits != 4 && l.Bits != 8 && l.Bits != 16 && l.Bits != 24 &&
                l.Bits != 32)
                return std::nullopt;
            break;
        case kRle8:
            if (l.Bits != 8) return std::nullopt;
            break;
        case kRle4:
            if (l.Bits != 4) return std::nullopt;
            break;
        case kBitFields:
        case kAlphaBitFields:
            if (l.Bits != 16 && l.Bits != 32) return std::nullopt;
            break;
        default:
            return std::nullopt;
    }
    if (fields) {
        // Masks sit inside the longer headers, or just after the 40-byte one.
        const size_t count = l.Compression == kAlphaBitFields || headerSize >= 56 ? 4 : 3;
        const size_t at = headerSize >= 52 ? 54 : after;
        if (n < at + 4 * count) return std::nullopt;
        for (size_t i = 0; i < count; ++i) l.Masks[i] = Le32(p + at + 4 * i);
        if (headerSize < 52) after += 4 * count;
    } else if (l.Bits == 16) {
        l.Masks = {0x7C00, 0x03E0, 0x001F, 0};
    } else if (l.Bits == 32) {
        l.Masks = {0xFF0000, 0x00FF00, 0x0000FF, 0};  // the fourth byte is padding
    }
    // The pixels start where the file header says; writers that leave that
    // out (or get it wrong) put them right after a full palette.
    const uint32_t offset = Le32(p + 10);
    const bool offsetFits = offset >= after && offset < n;
    if (l.Bits <= 8) {
        const uint32_t most = 1u << l.Bits;
        colours = colours == 0 || colours > most ? most : colours;
        const size_t end =
            std::min(n, offsetFits ? size_t{offset} : after + paletteEntry * colours);
        for (uint32_t i = 0; i < colours && after + paletteEntry * (i + 1) <= end; ++i) {
            const unsigned char* e = p + after + paletteEntry * i;
            l.Palette[3 * i] = e[2], l.Palette[3 * i + 1] = e[1], l.Palette[3 * i + 2] = e[0];
        }
        after += paletteEntry * colours;
    }
    l.PixelOffset = offsetFits ? offset : after;
    if (l.PixelOffset >= n) return std::nullopt;  // no pixel at all
    return l;
}

// One channel's bits widened to 8, repeating them as a fuller depth would.
struct Channel {
    uint32_t Mask = 0;
    int Shift = 0, Bits = 0;
    explicit Channel(uint32_t mask) : Mask(mask) {
        if (!mask) return;
        Shift = std::countr_zero(mask);
        Bits = std::bit_width(mask >> Shift);
    }
    uint8_t Of(uint32_t pixel) const {
        if (!Mask) return 0;
        uint32_t v = (pixel & Mask) >> Shift;
        if (Bits >= 8) return static_cast<uint8_t>(v >> (Bits - 8));
        uint32_t out = 0;
        int filled = 0;
        for (; filled < 8; filled += Bits) out = out << Bits | v;
        return static_cast<uint8_t>(out >> (filled - 8));
    }
};

void PutIndex(const Layout& l, uint8_t* row, int32_t x, unsigned index) {
    std::memcpy(row + 3 * static_cast<size_t>(x), l.Palette.data() + 3 * (index & 0xFF), 3);
}

uint8_t* RowAt(RgbImage& out, const Layout& l, int64_t fileRow) {
    return out.Row(l.TopDown ? static_cast<int32_t>(fileRow)
                             : l.Height - 1 - static_cast<int32_t>(fileRow));
}

void ReadRle(std::string_view bytes, const Layout& l, RgbImage& out) {
    for (int32_t y = 0; y < out.Height(); ++y)
        for (int32_t x = 0; x < out.Width(); ++x) PutIndex(l, out.Row(y), x, 0);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    const bool four = l.Compression == kRle4;
    int64_t x = 0, y = 0;
    auto put = [&](unsigned index) {
        if (x < l.Width && y < l.Height)
            PutIndex(l, RowAt(out, l, y), static_cast<int32_t>(x), index);
        ++x;
    };
    for (size_t i = l.PixelOffset; i + 1 < n && y < l.Height;) {
        const unsigned count = p[i], value = p[i + 1];
        i += 2;
        if (count > 0) {
            for (unsigned k = 0; k < count && x < l.Width; ++k)
                put(four ? (k % 2 ? value & 15 : value >> 4) : value);
            continue;
        }
        if (value == 0) {
            x = 0, ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (i + 1 >= n) break;
            x += p[i], y += p[i + 1];
            i += 2;
        } else {
            const size_t length = four ? (value + 1) / 2 : value;
            for (unsigned k = 0; k < value && i + (four ? k / 2 : k) < n; ++k) {
                const unsigned byte = p[i + (four ? k / 2 : k)];
                put(four ? (k % 2 ? byte & 15 : byte >> 4) : byte);
            }
            i += length + (length & 1);  // runs are padded to a whole word
        }
    }
}

void ReadRows(std::string_view bytes, const Layout& l, RgbImage& out, uint32_t background) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    const size_t stride =
        (static_cast<size_t>(l.Width) * static_cast<size_t>(l.Bits) + 31) / 32 * 4;
    const Channel red(l.Masks[0]), green(l.Masks[1]), blue(l.Masks[2]), alpha(l.Masks[3]);
    std::vector<uint8_t> rgba(alpha.Mask ? static_cast<size_t>(l.Width) * 4 : 0);
    for (int64_t r = 0; r < l.Height; ++r) {
        uint8_t* row = RowAt(out, l, r);
        const size_t at = l.PixelOffset + stride * static_cast<size_t>(r);
        if (at >= n || n - at < stride) {
            std::memset(row, 0, out.Stride());  // the file ends early
            continue;
        }
        const unsigned char* s = p + at;
        if (l.Bits <= 8) {
            const int perByte = 8 / l.Bits;
            const unsigned mask = (1u << l.Bits) - 1;
            for (int32_t x = 0; x < l.Width; ++x) {
                const int shift = 8 - l.Bits * (x % perByte + 1);
                PutIndex(l, row, x, (s[x / perByte] >> shift) & mask);
            }
        } else if (l.Bits == 24) {
            for (int32_t x = 0; x < l.Width; ++x, s += 3)
                row[3 * x] = s[2], row[3 * x + 1] = s[1], row[3 * x + 2] = s[0];
        } else {
            const int pixelBytes = l.Bits / 8;
            uint8_t* q = alpha.Mask ? rgba.data() : row;
            for (int32_t x = 0; x < l.Width; ++x, s += pixelBytes) {
                const uint32_t px = pixelBytes == 2 ? Le16(s) : Le32(s);
                *q++ = red.Of(px), *q++ = green.Of(px), *q++ = blue.Of(px);
                if (alpha.Mask) *q++ = alpha.Of(px);
            }
            if (alpha.Mask) ComposeOver(rgba.data(), static_cast<size_t>(l.Width), background, row);
        }
    }
}

void Put32(std::string& s, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i) & 0xFF);
}

}  // namespace

std::optional<PixelSize> ReadBmpSize(std::string_view bytes) {
    const std::optional<Layout> l = ReadLayout(bytes);
    if (!l) return std::nullopt;
    return PixelSize{l->Width, l->Height};
}

std::optional<RgbImage> DecodeBmp(std::string_view bytes, uint32_t background) {
    const std::optional<Layout> l = ReadLayout(bytes);
    if (!l) return std::nullopt;
    RgbImage out(l->Width, l->Height);
    if (l->Compression == kRle8 || l->Compression == kRle4)
        ReadRle(bytes, *l, out);
    else
        ReadRows(bytes, *l, out, background);
    return out;
}

std::string EncodeBmp(const RgbView& image) {
    const size_t stride = (static_cast<size_t>(image.Width) * 3 + 3) / 4 * 4;
    const size_t pixels = stride * static_cast<size_t>(image.Height);
    if (pixels > 0x7FFFFFFF - 54) throw Error("Could not encode a BMP: the picture is too large.");
    std::string out(54 + pixels, '\0');
    out[0] = 'B', out[1] = 'M';
    Put32(out, 2, static_cast<uint32_t>(out.size()));
    Put32(out, 10, 54);
    Put32(out, 14, 40);
    Put32(out, 18, static_cast<uint32_t>(image.Width));
    Put32(out, 22, static_cast<uint32_t>(image.Height));  // positive: bottom row first
    out[26] = 1;                                          // planes
    out[28] = 24;
    Put32(out, 34, static_cast<uint32_t>(pixels));
    // 100 dots per inch, as the copies have always said.
    Put32(out, 38, 3937);
    Put32(out, 42, 3937);
    for (int32_t y = 0; y < image.Height; ++y) {
        const uint8_t* s = image.Row(image.Height - 1 - y);
        char* d = out.data() + 54 + stride * static_cast<size_t>(y);
        for (int32_t x = 0; x < image.Width; ++x, s += 3, d += 3)
            d[0] = static_cast<char>(s[2]), d[1] = static_cast<char>(s[1]),
            d[2] = static_cast<char>(s[0]);
    }
    return out;
}

}  // namespace sorvane
