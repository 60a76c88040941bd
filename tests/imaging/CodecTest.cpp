#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <algorithm>
#include <cstring>

#include "BombPictures.h"
#include "TestPictures.h"
#include "common/TempHome.h"
#include "imaging/Orientation.h"
#include "imaging/PictureDecoder.h"
#include "imaging/PictureEncoder.h"
#include "imaging/PictureHeader.h"
#include "imaging/Resampler.h"
#include "platform/Error.h"

namespace sorvane {
namespace {

using test::Near;
using test::PixelAt;

uint32_t Le32(const std::string& b, size_t at) {
    return static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8 |
           static_cast<uint8_t>(b[at + 2]) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}

TEST(RgbImage, RefusesBuffersBeyondThe32BitRange) {
    EXPECT_TRUE(FitsRgbBuffer(1, 715827882));   // 2147483646 bytes
    EXPECT_FALSE(FitsRgbBuffer(1, 715827883));  // 2147483649 bytes
    EXPECT_FALSE(FitsRgbBuffer(26755, 26755));
    EXPECT_FALSE(FitsRgbBuffer(0, 10));
    EXPECT_FALSE(FitsRgbBuffer(10, -1));
    EXPECT_FALSE(FitsRgbBuffer(int64_t{1} << 40, int64_t{1} << 40));
    EXPECT_THROW(RgbImage(40000, 40000), Error);
    EXPECT_THROW(RgbImage(0, 0), Error);
}

TEST(RgbImage, FillAndOverlay) {
    RgbImage canvas = test::Solid(10, 8, 0x00336699);
    EXPECT_EQ(PixelAt(canvas, 9, 7), 0x00336699u);
    EXPECT_EQ(canvas.Data()[0], 0x99);  // red first
    const RgbImage spot = test::Solid(3, 2, 0x00FF0000);
    ASSERT_TRUE(canvas.Overlay(spot, 7, 6));
    EXPECT_EQ(PixelAt(canvas, 7, 6), 0x00FF0000u);
    EXPECT_EQ(PixelAt(canvas, 9, 7), 0x00FF0000u);
    EXPECT_EQ(PixelAt(canvas, 6, 6), 0x00336699u);
    EXPECT_EQ(PixelAt(canvas, 7, 5), 0x00336699u);
    // Anything sticking out is refused and leaves the canvas alone.
    EXPECT_FALSE(canvas.Overlay(spot, 8, 0));
    EXPECT_FALSE(canvas.Overlay(spot, 0, -1));
    EXPECT_EQ(PixelAt(canvas, 9, 0), 0x00336699u);
}

TEST(Encoder, WritesTheAgreedFormats) {
    const RgbImage image = test::Gradient(33, 17);

    const std::string bmp = EncodePicture(image, PictureFormat::Bmp);
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(Le32(bmp, 18), 33u);
    EXPECT_EQ(Le32(bmp, 22), 17u);
    EXPECT_EQ(static_cast<uint8_t>(bmp[28]), 24);  // bits per pixel
    EXPECT_EQ(Le32(bmp, 46), 0u);                  // no palette

    const std::string png = EncodePicture(image, PictureFormat::Png);
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    EXPECT_EQ(static_cast<uint8_t>(png[24]), 8);  // bit depth
    EXPECT_EQ(static_cast<uint8_t>(png[25]), 2);  // colour type: RGB

    const std::string jpg = EncodePicture(image, PictureFormat::Jpeg);
    tjhandle tj = tjInitDecompress();
    int w = 0, h = 0, subsamp = -1, cs = -1;
    ASSERT_EQ(tjDecompressHeader3(tj, reinterpret_cast<const unsigned char*>(jpg.data()),
                                  jpg.size(), &w, &h, &subsamp, &cs),
              0);
    tjDestroy(tj);
    EXPECT_EQ(w, 33);
    EXPECT_EQ(h, 17);
    EXPECT_EQ(subsamp, TJSAMP_444);

    EXPECT_THROW(EncodePicture(image, PictureFormat::Other), Error);
}

TEST(Codecs, RoundTripEveryFormat) {
    const RgbImage image = test::Gradient(64, 48);
    for (const PictureFormat key : {PictureFormat::Bmp, PictureFormat::Png}) {
        const std::string bytes = EncodePicture(image, key);
        auto back = DecodePicture(bytes, {64, 48}, 0);
        ASSERT_TRUE(back);
        ASSERT_EQ(back->ByteCount(), image.ByteCount());
        EXPECT_EQ(0, std::memcmp(back->Data(), image.Data(), image.ByteCount()));
    }
    // Quality 100 at 4:4:4: within a few levels everywhere, colour edges included.
    const std::string jpg = EncodePicture(image, PictureFormat::Jpeg);
    auto back = DecodePicture(jpg, {64, 48}, 0);
    ASSERT_TRUE(back);
    for (int32_t y = 0; y < 48; ++y)
        for (int32_t x = 0; x < 64; ++x)
            ASSERT_TRUE(Near(PixelAt(*back, x, y), PixelAt(image, x, y), 3)) << x << "," << y;
}

TEST(Decoder, JpegUsesTheSmallestDctScaleKeepingTwiceTheFit) {
    const std::string jpg = EncodePicture(test::Gradient(1600, 1200), PictureFormat::Jpeg);
    auto sizeFor = [&](PixelSize fit) {
        auto image = DecodePicture(jpg, fit, 0);
        return image ? PixelSize{image->Width(), image->Height()} : PixelSize{};
    };
    EXPECT_EQ(sizeFor({100, 75}), (PixelSize{200, 150}));     // 1/8
    EXPECT_EQ(sizeFor({101, 75}), (PixelSize{400, 300}));     // 1/4: 1/8 is under twice
    EXPECT_EQ(sizeFor({400, 300}), (PixelSize{800, 600}));    // 1/2
    EXPECT_EQ(sizeFor({401, 300}), (PixelSize{1600, 1200}));  // full
    EXPECT_EQ(sizeFor({1600, 1200}), (PixelSize{1600, 1200}));
}

TEST(Decoder, LaysPngTransparencyOverTheBackground) {
    std::string rgba(20 * 10 * 4, '\0');  // transparent
    for (int x = 10; x < 20; ++x)
        for (int y = 0; y < 10; ++y) rgba.replace(4 * (y * 20 + x), 4, "\xFF\0\0\xFF", 4);
    rgba.replace(0, 4, "\0\0\xFF\x80", 4);
    const std::string png = test::RgbaPng(20, 10, rgba);
    const uint32_t background = 0x0000C000;  // green, as COLORREF
    auto image = DecodePicture(png, {20, 10}, background);
    ASSERT_TRUE(image);
    EXPECT_EQ(PixelAt(*image, 5, 5), background);
    EXPECT_EQ(PixelAt(*image, 15, 5), 0x000000FFu);
    // Half-covered blue over green: both show.
    EXPECT_TRUE(Near(PixelAt(*image, 0, 0), 0x00806000, 3)) << std::hex << PixelAt(*image, 0, 0);
}

std::string JpegWith(const RgbImage& image, int subsamp) {
    tjhandle tj = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long size = 0;
    EXPECT_EQ(tjCompress2(tj, image.Data(), image.Width(), 0, image.Height(), TJPF_RGB, &out, &size,
                          subsamp, 95, 0),
              0);
    std::string bytes(reinterpret_cast<char*>(out), size);
    tjFree(out);
    tjDestroy(tj);
    return bytes;
}

// Reducing from a JPEG's own planes must agree with decoding to RGB and then
// resampling, for subsampled chroma, odd sizes and grey pictures alike.
TEST(Decoder, ReducedJpegMatchesTheFullDecodeResampled) {
    const RgbImage source = test::Gradient(1001, 777);
    for (const int subsamp : {TJSAMP_444, TJSAMP_422, TJSAMP_420, TJSAMP_GRAY}) {
        const std::string jpg = JpegWith(source, subsamp);
        for (const PixelSize size :
             {PixelSize{333, 259}, PixelSize{120, 93}, PixelSize{900, 700}}) {
            auto reduced = DecodeReduced(jpg, size, 0);
            ASSERT_TRUE(reduced) << subsamp;
            ASSERT_EQ(reduced->Width(), size.Width);
            ASSERT_EQ(reduced->Height(), size.Height);
            auto full = DecodePicture(jpg, {1001, 777}, 0);
            const RgbImage reference = Resample(*full, size.Width, size.Height);
            int worst = 0;
            for (size_t i = 0; i < reference.ByteCount(); ++i)
                worst = std::max(worst, std::abs(reduced->Data()[i] - reference.Data()[i]));
            EXPECT_LE(worst, 6) << "subsampling " << subsamp << " at " << size.Width;
            if (subsamp == TJSAMP_GRAY) {
                const uint32_t p = PixelAt(*reduced, size.Width / 2, size.Height / 2);
                EXPECT_EQ(p & 0xFF, (p >> 8) & 0xFF);
                EXPECT_EQ(p & 0xFF, (p >> 16) & 0xFF);
            }
        }
    }
}

TEST(Resampler, KeepsFlatColourAndSmoothGradients) {
    const RgbImage flat = test::Solid(300, 200, 0x00204080);
    const RgbImage small = Resample(flat, 97, 61);
    ASSERT_EQ(small.Width(), 97);
    ASSERT_EQ(small.Height(), 61);
    for (int32_t y = 0; y < 61; y += 5)
        for (int32_t x = 0; x < 97; x += 5) EXPECT_EQ(PixelAt(small, x, y), 0x00204080u);

    const RgbImage ramp = test::Gradient(1000, 800);
    const RgbImage reduced = Resample(ramp, 250, 200);
    // Pixel (x, y) of the reduction covers source pixels around 4x + 1.5.
    for (const auto& [x, y] : {std::pair{10, 10}, std::pair{125, 100}, std::pair{240, 190}}) {
        const int sx = 4 * x + 2, sy = 4 * y + 2;
        EXPECT_TRUE(Near(PixelAt(reduced, x, y), PixelAt(ramp, sx, sy), 2))
            << x << "," << y << " " << std::hex << PixelAt(reduced, x, y) << " vs "
            << PixelAt(ramp, sx, sy);
    }
}

TEST(Resampler, AveragesFineDetailInsteadOfAliasing) {
    // One-pixel stripes reduced 8×: a point sampler would show stripes, a
    // proper low-pass shows the mean grey.
    RgbImage stripes(800, 80);
    for (int32_t y = 0; y < 80; ++y)
        for (int32_t x = 0; x < 800; ++x) std::memset(stripes.Row(y) + 3 * x, x % 2 ? 255 : 0, 3);
    const RgbImage small = Resample(stripes, 100, 10);
    for (int32_t x = 2; x < 98; ++x) EXPECT_TRUE(Near(PixelAt(small, x, 5), 0x808080, 3)) << x;
}

TEST(Orientation, TurnsEveryExifCaseUpright) {
    // A 3 × 2 picture whose pixels are all different.
    RgbImage stored(3, 2);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x) std::memset(stored.Row(y) + 3 * x, 10 * (3 * y + x) + 1, 3);
    auto value = [](const RgbImage& img, int x, int y) { return img.Row(y)[3 * x]; };
    // Stored: 1 11 21 / 31 41 51.
    const RgbImage mirrored = Reoriented(stored, kMirror);
    EXPECT_EQ(value(mirrored, 0, 0), 21);
    const RgbImage flipped = Reoriented(stored, kFlip);
    EXPECT_EQ(value(flipped, 0, 0), 31);
    // A quarter turn clockwise: the left column comes out on top, read bottom-up.
    const RgbImage turned = Reoriented(stored, kRotate90);
    ASSERT_EQ(turned.Width(), 2);
    ASSERT_EQ(turned.Height(), 3);
    EXPECT_EQ(value(turned, 0, 0), 31);
    EXPECT_EQ(value(turned, 1, 0), 1);
    EXPECT_EQ(value(turned, 0, 2), 51);
    const RgbImage turned270 = Reoriented(stored, kMirror | kFlip | kRotate90);
    EXPECT_EQ(value(turned270, 0, 0), 21);
    EXPECT_EQ(value(turned270, 1, 2), 31);
}

TEST(Header, ReadsExifOrientationAndUprightSize) {
    test::TempHome home;
    const std::string jpg = EncodePicture(test::Gradient(400, 300), PictureFormat::Jpeg);
    for (const auto& [exif, bits] :
         {std::pair{1, 0}, std::pair{3, kMirror | kFlip}, std::pair{6, int{kRotate90}},
          std::pair{8, kMirror | kFlip | kRotate90}}) {
        const auto path = home / ("o" + std::to_string(exif) + ".JPG");
        test::WriteFile(path, test::WithExifOrientation(jpg, exif));
        const auto header = ProbePictureFile(path.string());
        ASSERT_TRUE(header) << exif;
        EXPECT_EQ(header->Orientation, bits) << exif;
        EXPECT_EQ(header->Upright(), (exif >= 5 ? PixelSize{300, 400} : PixelSize{400, 300}));
    }
}

TEST(Header, ReadsTopDownBmpWithItsRealHeight) {
    std::string bmp = EncodePicture(test::Gradient(40, 30), PictureFormat::Bmp);
    // Negative height: rows stored top row first.
    const int32_t negative = -30;
    std::memcpy(bmp.data() + 22, &negative, 4);
    const auto header = ProbePicture(bmp);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Upright(), (PixelSize{40, 30}));
    auto image = DecodePicture(bmp, {40, 30}, 0);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Height(), 30);
}

}  // namespace
}  // namespace sorvane
