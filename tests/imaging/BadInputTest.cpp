#include <turbojpeg.h>

#include <algorithm>
#include <cstring>

#include "PreparationFixture.h"
#include "common/Needs.h"
#include "imaging/PictureDecoder.h"
#include "imaging/PictureEncoder.h"
#include "imaging/PictureProbe.h"

namespace sorvane::test {
namespace {

// Patches the first SOF marker's size fields.
std::string WithJpegSize(std::string jpg, uint16_t w, uint16_t h) {
    for (size_t i = 2; i + 9 < jpg.size(); ++i)
        if (static_cast<uint8_t>(jpg[i]) == 0xFF &&
            (static_cast<uint8_t>(jpg[i + 1]) & 0xF0) == 0xC0 && jpg[i + 1] != '\xC4' &&
            jpg[i + 1] != '\xC8' && jpg[i + 1] != '\xCC') {
            jpg[i + 5] = static_cast<char>(h >> 8), jpg[i + 6] = static_cast<char>(h & 0xFF);
            jpg[i + 7] = static_cast<char>(w >> 8), jpg[i + 8] = static_cast<char>(w & 0xFF);
            return jpg;
        }
    return jpg;
}

std::string CmykJpeg(int w, int h) {
    // Stored inverted, as the usual CMYK JPEGs from print tools are: 0 is full ink.
    std::vector<unsigned char> cmyk(static_cast<size_t>(w) * h * 4, 255);
    for (size_t i = 0; i < cmyk.size(); i += 4) cmyk[i] = 0;  // full cyan
    tjhandle tj = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long size = 0;
    tjCompress2(tj, cmyk.data(), w, 0, h, TJPF_CMYK, &out, &size, TJSAMP_444, 95, 0);
    std::string bytes(reinterpret_cast<char*>(out), size);
    tjFree(out);
    tjDestroy(tj);
    return bytes;
}

TEST(BadHeaders, SizesBeyondThe32BitRangeAreRefusedByMeasuringAndDecoding) {
    TempHome home;
    std::string bmp = EncodePicture(Solid(8, 8, 0), PictureFormat::Bmp);
    const int32_t huge = 40000;
    std::memcpy(bmp.data() + 18, &huge, 4);
    std::memcpy(bmp.data() + 22, &huge, 4);
    const std::string jpg =
        WithJpegSize(EncodePicture(Solid(8, 8, 0), PictureFormat::Jpeg), 60000, 60000);
    WriteFile(home / "huge.bmp", bmp);
    WriteFile(home / "huge.jpg", jpg);

    PreparationInput form;
    form.LargestSize = {100, 100};
    for (const char* name : {"huge.bmp", "huge.jpg"}) {
        form.LargestSize = LargestWith(form.LargestSize, (home / name).string());
        EXPECT_EQ(form.LargestSize, (PixelSize{100, 100})) << name;
        const std::string bytes = ReadFile(home / name);
        EXPECT_FALSE(DecodePicture(bytes, {50, 50}, 0)) << name;
    }
    // A size just inside the range is still measured.
    const std::string wide =
        WithJpegSize(EncodePicture(Solid(8, 8, 0), PictureFormat::Jpeg), 30000, 20000);
    WriteFile(home / "wide.jpg", wide);
    form.LargestSize = LargestWith(form.LargestSize, (home / "wide.jpg").string());
    EXPECT_EQ(form.LargestSize, (PixelSize{30000, 20000}));
}

TEST(BadHeaders, MeasuringSomethingUnreadableChangesNothing) {
    TempHome home;
    WriteFile(home / "zero.jpg", "");
    WriteFile(home / "junk.png", std::string(500, '\x5A'));
    WriteFile(home / "text.txt", "hello");
    PreparationInput form;
    form.LargestSize = {7, 9};
    for (const char* name : {"zero.jpg", "junk.png", "text.txt", "missing.bmp"})
        form.LargestSize = LargestWith(form.LargestSize, (home / name).string());
    EXPECT_EQ(form.LargestSize, (PixelSize{7, 9}));
}

TEST_F(PreparationTest, DamagedAndMislabelledPicturesGetAClearOutcome) {
    const std::string jpg = EncodePicture(Gradient(1400, 1000), PictureFormat::Jpeg);
    const std::string png = EncodePicture(Gradient(1400, 1000), PictureFormat::Png);
    AddBytes("zero.jpg", "");
    AddBytes("truncated.jpg", jpg.substr(0, jpg.size() / 2));
    AddBytes("truncated.png", png.substr(0, png.size() / 2));
    AddBytes("garbage.bmp", std::string(4000, '\x42'));
    AddBytes("headeronly.jpg", jpg.substr(0, 700));
    AddBytes("reallypng.jpg", png);
    AddBytes("cmyk.jpg", CmykJpeg(300, 200));
    Add("fine.png", Solid(100, 100, 0x00FF00));
    std::vector<std::string> names;
    for (const auto& e : form.Pictures) names.push_back(e.FileName);

    const RgbImage background = Solid(1004, 718, kBackground);
    PictureJob job{form.PictureStore, form.PreparedFolder, {1004, 718}, 1,
                   kBackground,       &background};
    const auto results = PreparePictureList(job, names, 2, {});
    auto outcome = [&](const std::string& name) {
        const auto at = std::find(names.begin(), names.end(), name) - names.begin();
        return results[static_cast<size_t>(at)].Outcome;
    };
    EXPECT_EQ(outcome("zero.jpg"), PictureOutcome::Skipped);
    EXPECT_EQ(outcome("garbage.bmp"), PictureOutcome::Skipped);
    // A PNG named .jpg is read by content and prepared in the format of its name.
    EXPECT_EQ(outcome("reallypng.jpg"), PictureOutcome::Prepared);
    EXPECT_EQ(ReadFile(prepared / "reallypng.jpg").substr(0, 2), "\xFF\xD8");
    // CMYK is TurboJPEG's refusal and Qt's job: cyan comes out cyan.
    ASSERT_EQ(outcome("cmyk.jpg"), PictureOutcome::Prepared);
    EXPECT_TRUE(Near(PixelAt(ReadPicture(prepared / "cmyk.jpg"), 502, 359), 0x00FFFF00, 12))
        << std::hex << PixelAt(ReadPicture(prepared / "cmyk.jpg"), 502, 359);
    EXPECT_EQ(outcome("fine.png"), PictureOutcome::Prepared);
    // Whatever was prepared is whole and of the target size; what was skipped kept its file.
    for (size_t i = 0; i < names.size(); ++i) {
        if (results[i].Outcome == PictureOutcome::Prepared) {
            const RgbImage copy = ReadPicture(prepared / names[i]);
            EXPECT_EQ(copy.Width(), 1004) << names[i];
            EXPECT_EQ(copy.Height(), 718) << names[i];
        } else {
            EXPECT_TRUE(std::filesystem::exists(store / names[i])) << names[i];
        }
    }
}

// Every picture of other projects' decoder suites: prepared or skipped, never a crash or a hang.
TEST_F(PreparationTest, EveryPictureOfTheSharedTestSetIsPreparedOrSkipped) {
    const auto shared = SharedDir();
    SORVANE_NEEDS(!shared.empty() && std::filesystem::is_directory(shared / "testimages"),
                  "../shared/testimages beside the repository");
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::recursive_directory_iterator(shared / "testimages")) {
        if (!e.is_regular_file() || FormatKeyOf(e.path().string()) == PictureFormat::Other)
            continue;
        const std::string name =
            e.path().parent_path().filename().string() + "_" + e.path().filename().string();
        std::filesystem::copy_file(e.path(), store / name);
        std::filesystem::permissions(store / name, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
        names.push_back(name);
    }
    ASSERT_GT(names.size(), 40u);
    form.TargetSize = {120, 90};  // small, so most pictures are reduced too
    const RgbImage background = Solid(120, 90, kBackground);
    PictureJob job{form.PictureStore, form.PreparedFolder, {120, 90}, 1, kBackground, &background};
    const auto results = PreparePictureList(job, names, 2, {});
    int preparedCount = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        if (results[i].Outcome != PictureOutcome::Prepared) {
            EXPECT_EQ(results[i].Outcome, PictureOutcome::Skipped) << names[i];
            continue;
        }
        ++preparedCount;
        const RgbImage copy = ReadPicture(prepared / names[i]);
        EXPECT_EQ(copy.Width(), 120) << names[i];
        EXPECT_EQ(copy.Height(), 90) << names[i];
    }
    // Every PngSuite picture is valid; the JPEG suite's 8-bit and arithmetic-coded ones are too.
    for (const std::string name : {"pngsuite_basn6a16.png", "pngsuite_ibasn3p08.png",
                                   "libjpeg-turbo_testimgari.jpg", "libjpeg-turbo_testorig.jpg",
                                   "libjpeg-turbo_shira_bird8.bmp", "libjpeg-turbo_monkey16.png"}) {
        const auto at = std::find(names.begin(), names.end(), name);
        ASSERT_NE(at, names.end()) << name;
        EXPECT_EQ(results[static_cast<size_t>(at - names.begin())].Outcome,
                  PictureOutcome::Prepared)
            << name;
    }
    EXPECT_GE(preparedCount, static_cast<int>(names.size()) - 2);
}

}  // namespace
}  // namespace sorvane::test
