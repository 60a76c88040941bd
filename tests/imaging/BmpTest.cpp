#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "imaging/Bmp.h"
#include "imaging/Exif.h"
#include "imaging/Orientation.h"
#include "imaging/TestPictures.h"

namespace sorvane {
namespace {

using test::PixelAt;

std::string Le(uint64_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += static_cast<char>(v >> (8 * i) & 0xFF);
    return s;
}

// A BMP with a 40-byte header (plus `extra`: masks, palette) and `pixels`.
std::string Bmp(int32_t w, int32_t h, int bits, uint32_t compression, const std::string& extra,
                const std::string& pixels, uint32_t colours = 0) {
    const uint32_t offset = 54 + static_cast<uint32_t>(extra.size());
    return "BM" + Le(offset + static_cast<uint32_t>(pixels.size()), 4) + Le(0, 4) + Le(offset, 4) +
           Le(40, 4) + Le(static_cast<uint32_t>(w), 4) + Le(static_cast<uint32_t>(h), 4) +
           Le(1, 2) + Le(static_cast<uint32_t>(bits), 2) + Le(compression, 4) +
           Le(static_cast<uint32_t>(pixels.size()), 4) + Le(0, 8) + Le(colours, 4) + Le(0, 4) +
           extra + pixels;
}

// Palette entries as B, G, R, 0 from COLORREFs.
std::string Palette(std::initializer_list<uint32_t> colours) {
    std::string s;
    for (const uint32_t c : colours)
        s += std::string{static_cast<char>(c >> 16), static_cast<char>(c >> 8),
                         static_cast<char>(c), '\0'};
    return s;
}

TEST(Bmp, ReadsEveryLayoutTheFilesUse) {
    const std::string pal = Palette({0x000000, 0x0000FF, 0x00FF00, 0xFF0000});
    {  // 1-bit, bottom row first, rows padded to 4 bytes.
        const auto image =
            DecodeBmp(Bmp(3, 2, 1, 0, pal.substr(0, 8), std::string("\x40\0\0\0\xA0\0\0\0", 8)), 0);
        ASSERT_TRUE(image);
        EXPECT_EQ(PixelAt(*image, 0, 0), 0x0000FFu);  // top row: 1 0 1
        EXPECT_EQ(PixelAt(*image, 1, 0), 0u);
        EXPECT_EQ(PixelAt(*image, 1, 1), 0x0000FFu);  // bottom row: 0 1 0
    }
    {  // RLE8: a run, end of line, a delta over a pixel, an absolute run, end of picture.
        const std::string rle("\x03\x02\x00\x00\x00\x02\x01\x00\x00\x03\x01\x03\x02\x00\x00\x01",
                              16);
        const auto image = DecodeBmp(Bmp(4, 2, 8, 1, pal, rle), 0);
        ASSERT_TRUE(image);
        EXPECT_EQ(PixelAt(*image, 2, 1), 0x00FF00u);  // the run, on the bottom row
        EXPECT_EQ(PixelAt(*image, 3, 1), 0u);         // never written: entry 0
        EXPECT_EQ(PixelAt(*image, 0, 0), 0u);         // skipped by the delta
        EXPECT_EQ(PixelAt(*image, 1, 0), 0x0000FFu);
        EXPECT_EQ(PixelAt(*image, 2, 0), 0xFF0000u);
        EXPECT_EQ(PixelAt(*image, 3, 0), 0x00FF00u);
    }
    {  // RLE4: a run alternates its two nibbles.
        const auto image = DecodeBmp(Bmp(3, 1, 4, 2, pal, std::string("\x03\x12\x00\x01", 4)), 0);
        ASSERT_TRUE(image);
        EXPECT_EQ(PixelAt(*image, 0, 0), 0x0000FFu);
        EXPECT_EQ(PixelAt(*image, 1, 0), 0x00FF00u);
        EXPECT_EQ(PixelAt(*image, 2, 0), 0x0000FFu);
    }
    {  // 16-bit 5-6-5 bit fields, top-down: full channels come out full, not 248.
        std::string bmp = Bmp(2, 2, 16, 3, Le(0xF800, 4) + Le(0x07E0, 4) + Le(0x001F, 4),
                              Le(0xF800, 2) + Le(0x001F, 2) + Le(0x07E0, 2) + Le(0x0400, 2));
        std::memcpy(bmp.data() + 22, Le(static_cast<uint32_t>(-2), 4).data(), 4);
        const auto image = DecodeBmp(bmp, 0);
        ASSERT_TRUE(image);
        EXPECT_EQ(PixelAt(*image, 0, 0), 0x0000FFu);
        EXPECT_EQ(PixelAt(*image, 1, 0), 0xFF0000u);
        EXPECT_EQ(PixelAt(*image, 0, 1), 0x00FF00u);
        EXPECT_EQ(PixelAt(*image, 1, 1), 0x008200u);  // 32 of 63
    }
    {  // 32-bit: an alpha field is laid over the background; plain 32-bit ignores its fourth byte.
        const std::string masks = Le(0xFF0000, 4) + Le(0xFF00, 4) + Le(0xFF, 4) + Le(0xFF000000, 4);
        const auto alpha =
            DecodeBmp(Bmp(2, 1, 32, 6, masks, Le(0xFFFF0000, 4) + Le(0x00FF0000, 4)), 0x00FF00);
        ASSERT_TRUE(alpha);
        EXPECT_EQ(PixelAt(*alpha, 0, 0), 0x0000FFu);
        EXPECT_EQ(PixelAt(*alpha, 1, 0), 0x00FF00u);
        const auto plain = DecodeBmp(Bmp(1, 1, 32, 0, "", Le(0x00FF0000, 4)), 0x00FF00);
        ASSERT_TRUE(plain);
        EXPECT_EQ(PixelAt(*plain, 0, 0), 0x0000FFu);
    }
}

TEST(Bmp, RefusesWhatItCannotReadWithoutReadingPastTheEnd) {
    const std::string row = Le(0, 4);
    EXPECT_TRUE(DecodeBmp(Bmp(1, 1, 24, 0, "", row), 0));
    EXPECT_FALSE(DecodeBmp(Bmp(1, 1, 24, 4, "", row), 0));  // an embedded JPEG
    EXPECT_FALSE(DecodeBmp(Bmp(1, 1, 24, 3, "", row), 0));  // bit fields at 24 bits
    EXPECT_FALSE(DecodeBmp(Bmp(1, 1, 12, 0, "", row), 0));  // no such depth
    EXPECT_FALSE(DecodeBmp(Bmp(1, 1, 8, 2, "", row), 0));   // RLE4 at 8 bits
    EXPECT_FALSE(DecodeBmp(Bmp(0, 1, 24, 0, "", row), 0));
    EXPECT_FALSE(DecodeBmp(Bmp(1, 1, 24, 0, "", ""), 0));          // no pixel at all
    EXPECT_FALSE(ReadBmpSize(Bmp(50000, 50000, 24, 0, "", row)));  // beyond the 32-bit rule
    const std::string whole = Bmp(2, 2, 24, 0, "", std::string(16, '\x7F'));
    for (size_t n = 0; n < 54; ++n) EXPECT_FALSE(DecodeBmp(whole.substr(0, n), 0)) << n;
    // Cut in the pixels: what is there shows, the rest is black.
    const auto cut = DecodeBmp(whole.substr(0, 54 + 8), 0);
    ASSERT_TRUE(cut);
    EXPECT_EQ(PixelAt(*cut, 0, 1), 0x7F7F7Fu);
    EXPECT_EQ(PixelAt(*cut, 0, 0), 0u);
}

TEST(Exif, OrientationOfEveryCaseInEitherByteOrderAndNothingFromDamage) {
    auto app1 = [](bool little, int value, uint32_t directory = 8) {
        auto u16 = [&](uint32_t v) {
            return little ? Le(v, 2) : Le((v >> 8) | (v & 0xFF) << 8, 2);
        };
        auto u32 = [&](uint32_t v) { return little ? Le(v, 4) : u16(v >> 16) + u16(v & 0xFFFF); };
        return std::string("Exif\0\0", 6) + (little ? "II" : "MM") + u16(42) + u32(directory) +
               u16(1) + u16(0x0112) + u16(3) + u32(1) + u16(static_cast<uint32_t>(value)) + u16(0) +
               u32(0);
    };
    const int expected[] = {0,
                            0,
                            kMirror,
                            kMirror | kFlip,
                            kFlip,
                            kFlip | kRotate90,
                            kRotate90,
                            kMirror | kRotate90,
                            kMirror | kFlip | kRotate90,
                            0};
    for (int value = 0; value <= 9; ++value) {
        EXPECT_EQ(ExifOrientation(app1(true, value)), expected[value]) << value;
        EXPECT_EQ(ExifOrientation(app1(false, value)), expected[value]) << value;
    }
    EXPECT_EQ(ExifOrientation(app1(true, 6, 0xFFFFFFF0)), 0);
    const std::string whole = app1(false, 6);
    for (size_t n = 0; n < whole.size() - 4; ++n) EXPECT_EQ(ExifOrientation(whole.substr(0, n)), 0);
}

}  // namespace
}  // namespace sorvane
