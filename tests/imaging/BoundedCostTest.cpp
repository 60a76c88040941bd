#include <turbojpeg.h>
#include <zlib.h>

#include <cstring>
#include <fstream>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "BombPictures.h"
#include "PreparationFixture.h"
#include "common/Needs.h"
#include "imaging/MemoryBudget.h"
#include "imaging/PictureEncoder.h"
#include "imaging/PicturePlan.h"
#include "imaging/PictureProbe.h"

namespace sorvane::test {
namespace {

// Peak memory is read from /proc, and means nothing under the address
// sanitizer: such builds leave these tests out rather than skip them.
#if defined(__SANITIZE_ADDRESS__)
#define SORVANE_PEAK_MEASURABLE 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SORVANE_PEAK_MEASURABLE 0
#endif
#endif
#if !defined(SORVANE_PEAK_MEASURABLE) && defined(__linux__)
#define SORVANE_PEAK_MEASURABLE 1
#elif !defined(SORVANE_PEAK_MEASURABLE)
#define SORVANE_PEAK_MEASURABLE 0
#endif

#if SORVANE_PEAK_MEASURABLE
size_t PeakRssBytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stoull(line.substr(6)) * 1024;
    return 0;
}

size_t RssBytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stoull(line.substr(6)) * 1024;
    return 0;
}

bool ResetPeakRss() { return static_cast<bool>(std::ofstream("/proc/self/clear_refs") << "5"); }

// Files small on disk that claim gigabytes, prepared two at a time: each is
// prepared or refused by name, and the process stays near 1 GB at its peak.
TEST_F(PreparationTest, PictureBombsStayWithinAboutAGigabyte) {
    AddBytes("wide.png", ZeroPng(26000, 26000, false));
    AddBytes("clear.png", ZeroPng(23000, 23000, true));
    AddBytes("claims.jpg", HugeProgressiveJpeg(26000, 26000));
    AddBytes("thin.bmp", ThinBmp(30000000));
    std::vector<std::string> names;
    for (const auto& e : form.Pictures) names.push_back(e.FileName);
    const RgbImage background = Solid(1004, 718, kBackground);
    const PictureJob job{form.PictureStore, form.PreparedFolder, {1004, 718}, 1,
                         kBackground,       &background};

    SORVANE_NEEDS(ResetPeakRss(), "a writable /proc, to reset the peak memory figure");
    const auto results = PreparePictureList(job, names, 2, {});
    EXPECT_LT(PeakRssBytes(), size_t{1100} << 20);

    EXPECT_EQ(results[0].Outcome, PictureOutcome::Prepared);
    EXPECT_EQ(PixelAt(ReadPicture(prepared / "wide.png"), 502, 359), 0u);
    EXPECT_EQ(results[1].Outcome, PictureOutcome::Prepared);
    EXPECT_EQ(PixelAt(ReadPicture(prepared / "clear.png"), 502, 359), kBackground);
    EXPECT_EQ(ReadPicture(store / "clear.png").Width(), 718);
    // Its coefficients alone would take 2 GB: refused, and said so.
    EXPECT_EQ(results[2].Outcome, PictureOutcome::Refused);
    EXPECT_EQ(results[2].Reason,
              "The picture \"claims.jpg\" (26000 x 26000 pixels) is too large to prepare in the "
              "memory available. The slide show keeps its earlier copy, or leaves it out when it "
              "has none.");
    EXPECT_EQ(results[3].Outcome, PictureOutcome::Prepared);
    EXPECT_EQ(ReadPicture(store / "thin.bmp").Width(), 1004);
}

std::string Jpeg(const RgbImage& image, int pixelFormat, int flags) {
    tjhandle tj = tjInitCompress();
    std::vector<unsigned char> pixels(image.Data(), image.Data() + image.ByteCount());
    if (pixelFormat == TJPF_CMYK) {  // the same picture as ink, 4 bytes a pixel
        pixels.resize(static_cast<size_t>(image.Width()) * image.Height() * 4);
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(i * 7);
    }
    unsigned char* out = nullptr;
    unsigned long size = 0;
    tjCompress2(tj, pixels.data(), image.Width(), 0, image.Height(), pixelFormat, &out, &size,
                TJSAMP_420, 90, flags);
    std::string bytes(reinterpret_cast<const char*>(out), size);
    tjFree(out);
    tjDestroy(tj);
    return bytes;
}

// Each way of decoding, measured: the memory a preparation takes stays within
// what its plan told the budget.
TEST_F(PreparationTest, EveryDecodeRouteStaysWithinItsPlannedPeak) {
    const RgbImage photo = Gradient(4000, 3000);
    const struct {
        std::string name, bytes;
        DecodeRoute route;
    } cases[] = {
        {"planes.jpg", Jpeg(photo, TJPF_RGB, TJFLAG_PROGRESSIVE), DecodeRoute::JpegPlanes},
        {"cmyk.jpg", Jpeg(photo, TJPF_CMYK, 0), DecodeRoute::JpegRgb},
        {"kept.jpg", Jpeg(Gradient(1000, 700), TJPF_RGB, 0), DecodeRoute::JpegRgb},
        {"rows.png", ZeroPng(6000, 4500, false), DecodeRoute::PngRows},
        {"whole.png", ZeroPng(4000, 3000, false), DecodeRoute::PngWhole},
        {"clear.png", ZeroPng(4000, 3000, true), DecodeRoute::PngRgba},
        {"clearrows.png", ZeroPng(6000, 4500, true), DecodeRoute::PngRgba},
        {"whole.bmp", EncodePicture(photo, PictureFormat::Bmp), DecodeRoute::BmpWhole},
    };
    const RgbImage background = Solid(1004, 718, kBackground);
    const PictureJob job{form.PictureStore, form.PreparedFolder, {1004, 718}, 1,
                         kBackground,       &background};
    for (const auto& c : cases) {
        AddBytes(c.name, c.bytes);
        const PicturePlan plan = PlanPicture(ProbePicture(c.bytes).value(), c.bytes.size(),
                                             FormatKeyOf(c.name), {1004, 718}, 1);
        EXPECT_EQ(plan.Route, c.route) << c.name;
#if defined(__GLIBC__)
        malloc_trim(0);  // freed memory kept by the heap would hide what the picture takes
#endif
        SORVANE_NEEDS(ResetPeakRss(), "a writable /proc, to reset the peak memory figure");
        const size_t before = RssBytes();
        const auto results = PreparePictureList(job, {c.name}, 1, {});
        const size_t peak = PeakRssBytes();
        EXPECT_EQ(results[0].Outcome, PictureOutcome::Prepared) << c.name;
        EXPECT_LE(peak - std::min(peak, before), plan.PeakBytes) << c.name;
    }
}

#endif  // SORVANE_PEAK_MEASURABLE

TEST_F(PreparationTest, ARefusedPictureIsNamedToTheUserAndTheRunGoesOn) {
    AddBytes("claims.jpg", HugeProgressiveJpeg(26000, 26000));
    Add("fine.png", Solid(100, 100, kBackground));
    ASSERT_TRUE(Run());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].text.find("\"claims.jpg\" (26000 x 26000 pixels)"),
              std::string::npos);
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(PreparedNames(), std::vector<std::string>{"fine.png"});
}

TEST(MemoryBudget, APictureWaitsUntilItsPeakFitsBesideTheOthers) {
    MemoryBudget budget(100);
    std::atomic<bool> second{false};
    auto first = std::make_unique<BudgetHold>(budget, 70);
    std::jthread waiter([&] {
        BudgetHold hold(budget, 50);
        second = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(second);
    { BudgetHold small(budget, 30); }  // fits beside the first
    first.reset();
    waiter.join();
    EXPECT_TRUE(second);
}

}  // namespace
}  // namespace sorvane::test
