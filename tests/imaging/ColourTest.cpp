#include <lcms2.h>
#include <turbojpeg.h>
#include <zlib.h>

#include <QBuffer>
#include <QColorSpace>
#include <QImage>
#include <QImageWriter>
#include <cmath>
#include <cstring>

#include "PreparationFixture.h"
#include "imaging/ColourProfile.h"
#include "imaging/PictureDecoder.h"
#include "imaging/PictureEncoder.h"
#include "imaging/PictureProbe.h"

namespace sorvane::test {
namespace {

std::string Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(100);
    EXPECT_TRUE(writer.write(image));
    return bytes.toStdString();
}

// Eight patches side by side, one colour each, in `space` (Qt embeds its profile).
QImage Patches(const std::vector<QRgb>& colours, const QColorSpace& space, int w, int h) {
    QImage image(w * static_cast<int>(colours.size()), h, QImage::Format_RGB32);
    for (int i = 0; i < static_cast<int>(colours.size()); ++i)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) image.setPixel(i * w + x, y, colours[size_t(i)]);
    image.setColorSpace(space);
    return image;
}

uint32_t ColorRefOf(QRgb c) { return qRed(c) | qGreen(c) << 8 | qBlue(c) << 16; }

const std::vector<QRgb> kPure = {qRgb(255, 0, 0),     qRgb(0, 255, 0),    qRgb(0, 0, 255),
                                 qRgb(0, 255, 255),   qRgb(255, 0, 255),  qRgb(255, 255, 0),
                                 qRgb(255, 255, 255), qRgb(128, 128, 128)};

// Pure colours of each wide space, reduced or not, JPEG or PNG: the prepared
// copy shows what Qt's own colour management makes of them in sRGB, and a
// reduced stored copy keeps its profile and so its look.
TEST_F(PreparationTest, WideGamutPicturesShowAsAColourManagedViewerShowsThem) {
    form.TargetSize = {800, 100};
    int n = 0;
    for (const auto named : {QColorSpace::AdobeRgb, QColorSpace::DisplayP3})
        for (const int patch : {100, 200})  // 800 wide fits; 1600 is halved
            for (const char* format : {"jpg", "png"}) {
                const QImage wide = Patches(kPure, QColorSpace(named), patch, 100);
                const QImage expected = wide.convertedToColorSpace(QColorSpace::SRgb);
                const std::string name = "wide" + std::to_string(n++) + "." + format;
                AddBytes(name, Encoded(wide, format));
                ASSERT_TRUE(Run());
                form.Pictures.clear();
                const RgbImage copy = ReadPicture(prepared / name);
                const int32_t top = patch == 100 ? 0 : 25;
                for (int i = 0; i < 8; ++i) {
                    const uint32_t want = ColorRefOf(expected.pixel(i * patch + patch / 2, 50));
                    const uint32_t got = PixelAt(copy, i * 100 + 50, top + 25);
                    EXPECT_TRUE(Near(got, want, 2)) << name << " patch " << i << std::hex << ": "
                                                    << got << " instead of " << want;
                }
                if (patch == 200) {
                    const std::string stored = ReadFile(store / name);
                    EXPECT_EQ(QColorSpace::fromIccProfile(
                                  QByteArray::fromStdString(EmbeddedIccProfile(stored))),
                              QColorSpace(named))
                        << name;
                }
            }
}

// An sRGB profile changes nothing: the same bytes as the untagged picture.
TEST_F(PreparationTest, PicturesWithoutAProfileOrInSrgbAreNotConverted) {
    const RgbImage gradient = Gradient(1500, 900);
    QImage tagged(gradient.Data(), 1500, 900, 1500 * 3, QImage::Format_RGB888);
    tagged.setColorSpace(QColorSpace::SRgb);
    AddBytes("tagged.png", Encoded(tagged, "png"));
    Add("plain.png", gradient);
    ASSERT_FALSE(EmbeddedIccProfile(ReadFile(store / "tagged.png")).empty());
    ASSERT_TRUE(Run());
    EXPECT_EQ(ReadFile(prepared / "tagged.png"), ReadFile(prepared / "plain.png"));
}

TEST(ColourProfile, FoundInJpegSegmentsAndPngChunksAndWrittenBack) {
    const QByteArray p3 = QColorSpace(QColorSpace::DisplayP3).iccProfile();
    const std::string icc = p3.toStdString();
    const QImage image = Patches({qRgb(1, 2, 3)}, QColorSpace::DisplayP3, 4, 4);
    EXPECT_EQ(EmbeddedIccProfile(Encoded(image, "jpg")), icc);
    EXPECT_EQ(EmbeddedIccProfile(Encoded(image, "png")), icc);
    // Ours, after a JFIF header, split when it is long.
    const std::string big = icc + std::string(140000, 'x');
    const std::string jpeg = EncodePicture(Solid(4, 4, 0).View(), PictureFormat::Jpeg, big);
    EXPECT_EQ(EmbeddedIccProfile(jpeg), big);
    EXPECT_EQ(EmbeddedIccProfile(EncodePicture(Solid(4, 4, 0).View(), PictureFormat::Png, icc)),
              icc);
    EXPECT_TRUE(DecodePicture(jpeg, {4, 4}, 0));
    // Nothing usable, nothing done.
    EXPECT_FALSE(ToSrgb::For(""));
    EXPECT_FALSE(ToSrgb::For("not a profile"));
    EXPECT_FALSE(ToSrgb::For(QColorSpace(QColorSpace::SRgb).iccProfile().toStdString()));
    EXPECT_TRUE(ToSrgb::For(icc));
}

// A grey profile with linear levels, as scanners and cameras write.
std::string LinearGreyProfile() {
    cmsToneCurve* linear = cmsBuildGamma(nullptr, 1.0);
    std::string icc = ProfileBytes(cmsCreateGrayProfile(cmsD50_xyY(), linear));
    cmsFreeToneCurve(linear);
    return icc;
}

// An iCCP chunk right after a PNG's header chunk.
std::string WithPngIccProfile(std::string png, const std::string& icc) {
    uLongf packed = compressBound(icc.size());
    std::string body("grey\0\0", 6);
    std::string z(packed, '\0');
    compress(reinterpret_cast<Bytef*>(z.data()), &packed,
             reinterpret_cast<const Bytef*>(icc.data()), icc.size());
    body += z.substr(0, packed);
    const std::string chunk = "iCCP" + body;
    const auto bigEndian = [](uint32_t v) {
        return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    };
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(chunk.data()), uInt(chunk.size()));
    png.insert(33, bigEndian(uint32_t(body.size())) + chunk + bigEndian(uint32_t(crc)));
    return png;
}

// Four grey levels with a linear profile, JPEG and PNG, fitting the target
// or halved: the prepared copy shows each level as sRGB does, and a reduced
// stored copy stays grey, with its profile. A grey profile never goes on
// pixels that are not grey.
TEST_F(PreparationTest, GreyPicturesWithAProfileShowAsAColourManagedViewerShowsThem) {
    const std::string icc = LinearGreyProfile();
    ASSERT_TRUE(IsGreyProfile(icc));
    form.TargetSize = {800, 100};
    const int levels[] = {32, 64, 128, 192};
    int n = 0;
    for (const int scale : {1, 2})
        for (const char* format : {"jpg", "png"}) {
            QImage grey(800 * scale, 100 * scale, QImage::Format_Grayscale8);
            for (int i = 0; i < 4; ++i)
                for (int y = 0; y < grey.height(); ++y)
                    std::memset(grey.scanLine(y) + i * 200 * scale, levels[i], 200 * size_t(scale));
            const std::string plain = Encoded(grey, format);
            const std::string name = "grey" + std::to_string(n++) + "." + format;
            AddBytes(name, *format == 'j' ? WithJpegIccProfile(plain, icc)
                                          : WithPngIccProfile(plain, icc));
            ASSERT_TRUE(Run());
            form.Pictures.clear();
            const RgbImage copy = ReadPicture(prepared / name);
            for (int i = 0; i < 4; ++i) {
                const double linear = levels[i] / 255.0;
                const int v = int(std::lround(255 * (1.055 * std::pow(linear, 1 / 2.4) - 0.055)));
                const uint32_t want = uint32_t(v) * 0x010101u;
                const uint32_t got = PixelAt(copy, i * 200 + 100, 50);
                EXPECT_TRUE(Near(got, want, 2)) << name << " level " << levels[i] << std::hex
                                                << ": " << got << " instead of " << want;
            }
            if (scale == 2) {
                const std::string stored = ReadFile(store / name);
                EXPECT_EQ(EmbeddedIccProfile(stored), icc) << name;
                if (*format == 'p') {
                    EXPECT_EQ(stored[25], 0) << "colour type";
                } else {
                    tjhandle tj = tjInitDecompress();
                    int w = 0, h = 0, sub = -1, space = -1;
                    tjDecompressHeader3(tj, reinterpret_cast<const unsigned char*>(stored.data()),
                                        stored.size(), &w, &h, &sub, &space);
                    tjDestroy(tj);
                    EXPECT_EQ(sub, TJSAMP_GRAY);
                }
            }
        }
    for (const auto format : {PictureFormat::Jpeg, PictureFormat::Png})
        EXPECT_EQ(EmbeddedIccProfile(EncodePicture(Solid(4, 4, 0xFF).View(), format, icc)), "");
}

// The stored copy keeps its transparency; only the canvas lays it on the
// background, so a new colour shows through with no box of the old one.
TEST_F(PreparationTest, TransparencySurvivesAChangeOfBackground) {
    QImage rgba(2008, 200, QImage::Format_ARGB32);
    rgba.fill(Qt::transparent);
    for (int y = 50; y < 150; ++y)
        for (int x = 900; x < 1100; ++x) rgba.setPixel(x, y, qRgba(255, 0, 0, 255));
    AddBytes("logo.png", Encoded(rgba, "png"));
    ASSERT_TRUE(Run());
    const std::string stored = ReadFile(store / "logo.png");
    QImage kept;
    ASSERT_TRUE(kept.loadFromData(QByteArray::fromStdString(stored)));
    EXPECT_EQ(kept.size(), QSize(1004, 100));
    EXPECT_TRUE(kept.hasAlphaChannel());
    EXPECT_EQ(qAlpha(kept.pixel(10, 10)), 0);
    EXPECT_EQ(kept.pixel(502, 50), qRgba(255, 0, 0, 255));

    const uint32_t green = 0x0000C000;
    form.BackgroundColor = green;
    ASSERT_TRUE(Run());
    const RgbImage copy = ReadPicture(prepared / "logo.png");
    EXPECT_EQ(PixelAt(copy, 10, 359), green);   // was transparent: the new colour
    EXPECT_EQ(PixelAt(copy, 440, 359), green);  // just beside the red, no old colour
    EXPECT_EQ(PixelAt(copy, 502, 359), 0x000000FFu);
    EXPECT_EQ(PixelAt(copy, 502, 100), green);  // above the picture
}

}  // namespace
}  // namespace sorvane::test
