#include <lcms2.h>
#include <zlib.h>

#include <map>

#include "PreparationFixture.h"
#include "imaging/PictureEncoder.h"

namespace sorvane::test {
namespace {

// A wide-gamut profile (P3 primaries, D65, gamma 2.2), so the copy is converted.
std::string WideGamutProfile() {
    const cmsCIExyY white{0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE primaries{{0.680, 0.320, 1.0}, {0.265, 0.690, 1.0}, {0.150, 0.060, 1.0}};
    cmsToneCurve* gamma = cmsBuildGamma(nullptr, 2.2);
    cmsToneCurve* curves[3] = {gamma, gamma, gamma};
    std::string icc = ProfileBytes(cmsCreateRGBProfile(&white, &primaries, curves));
    cmsFreeToneCurve(gamma);
    return icc;
}

std::string Digest(const std::string& bytes) {
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), uInt(bytes.size()));
    char text[32];
    std::snprintf(text, sizeof text, "%zu/%08lx", bytes.size(), crc);
    return text;
}

// The prepared copies byte for byte as recorded: each format, a JPEG reduced
// through its DCT scaling and then resampled, a PNG resampled, a BMP only
// placed on the canvas, and a colour conversion. Every system we build for
// must write these same bytes.
TEST_F(PreparationTest, PreparedCopiesAreTheRecordedBytes) {
    // x86-64 without AVX2 takes other resampling code. Other codec versions
    // leave this test out of the build.
#if defined(__x86_64__)
    if (!__builtin_cpu_supports("avx2")) GTEST_SKIP() << "recorded on a processor with AVX2";
#endif
    Add("wide.jpg", Gradient(2400, 1500));
    Add("tall.png", Gradient(600, 1400));
    Add("small.bmp", Gradient(300, 200));
    AddBytes("p3.jpg",
             EncodePicture(Gradient(1600, 1000).View(), PictureFormat::Jpeg, WideGamutProfile()));
    ASSERT_TRUE(Run());
    const std::map<std::string, std::string> recorded{
        {"wide.jpg", "310443/08795bd9"},
        {"tall.png", "91487/4b40a9f8"},
        {"small.bmp", "2162670/b1c94a11"},
        {"p3.jpg", "400397/9094e0ff"},
    };
    for (const auto& [name, digest] : recorded)
        EXPECT_EQ(Digest(ReadFile(prepared / name)), digest) << name;
}

}  // namespace
}  // namespace sorvane::test
