#include <turbojpeg.h>
#include <zlib.h>

#include <QImage>

#include <cstring>
#include <fstream>

#include "BombPictures.h"
#include "PreparationFixture.h"
#include "imaging/PictureCost.h"
#include "imaging/PictureEncoder.h"

namespace sorvane::test {
namespace {

size_t PeakRssBytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stoull(line.substr(6)) * 1024;
    return 0;
}

bool ResetPeakRss() { return static_cast<bool>(std::ofstream("/proc/self/clear_refs") << "5"); }

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// Files small on disk that claim gigabytes, prepared two at a time: each is
// prepared or refused by name, and the process stays near 1 GB at its peak.
TEST_F(PreparationTest, PictureBombsStayWithinAboutAGigabyte) {
    if (kSanitized) GTEST_SKIP() << "peak memory means nothing under the address sanitizer";
    AddBytes("wide.png", ZeroPng(26000, 26000, false));
    AddBytes("clear.png", ZeroPng(23000, 23000, true));
    AddBytes("claims.jpg", HugeProgressiveJpeg(26000, 26000));
    AddBytes("thin.bmp", ThinBmp(30000000));
    std::vector<std::string> names;
    for (const auto& e : form.Pictures) names.push_back(e.FileName);
    const RgbImage background = Solid(1004, 718, kBackground);
    const PictureJob job{form.PictureStore, form.PreparedFolder, {1004, 718}, 1,
                         kBackground,       &background};

    // Chroots may mount /proc read-only (mmdebstrap does): nothing to measure from.
    if (!ResetPeakRss())
        GTEST_SKIP() << "the peak memory figure cannot be reset: /proc is read-only here";
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
              "memory available; it was left as it was.");
    EXPECT_EQ(results[3].Outcome, PictureOutcome::Prepared);
    EXPECT_EQ(ReadPicture(store / "thin.bmp").Width(), 1004);
}

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
