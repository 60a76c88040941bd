#include "PreparationFixture.h"
#include "imaging/PictureDecoder.h"
#include "imaging/PictureEncoder.h"
#include "imaging/PictureHeader.h"

#include <algorithm>

#include "BombPictures.h"

namespace sorvane::test {
namespace {

constexpr uint32_t kRed = 0x000000FF, kBlue = 0x00FF0000;

// A picture with a red left half and a blue right half.
RgbImage Halves(int32_t w, int32_t h) {
    RgbImage image = Solid(w, h, kRed);
    const RgbImage right = Solid(w - w / 2, h, kBlue);
    image.Overlay(right, w / 2, 0);
    return image;
}

PixelSize SizeOf(const std::filesystem::path& path) {
    const auto header = ProbePictureFile(path.string());
    return header ? header->Upright() : PixelSize{};
}

TEST_F(PreparationTest, ReducesALargePictureOnceAndRewritesItsStoredCopy) {
    Add("big.jpg", Gradient(2592, 1944));
    ASSERT_TRUE(Run());
    EXPECT_EQ(SizeOf(prepared / "big.jpg"), (PixelSize{1004, 718}));
    EXPECT_EQ(SizeOf(store / "big.jpg"), (PixelSize{957, 718}));
    const RgbImage copy = ReadPicture(prepared / "big.jpg");
    // Centred: left 24 (from 23.5), the picture spans 24..980.
    EXPECT_TRUE(Near(PixelAt(copy, 20, 359), kBackground, 2));
    EXPECT_TRUE(Near(PixelAt(copy, 985, 359), kBackground, 2));
    EXPECT_FALSE(Near(PixelAt(copy, 30, 359), kBackground, 10));
    // No temporary file is left beside the rewritten stored copy.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(store), {}), 1);

    // A second run finds it fitting: no resampling, the stored copy stays byte
    // for byte, and the prepared copy is written again.
    const std::string storedAfterFirst = ReadFile(store / "big.jpg");
    std::filesystem::remove(prepared / "big.jpg");
    ASSERT_TRUE(Run());
    EXPECT_EQ(ReadFile(store / "big.jpg"), storedAfterFirst);
    EXPECT_EQ(SizeOf(prepared / "big.jpg"), (PixelSize{1004, 718}));

    PictureJob job{form.PictureStore, form.PreparedFolder, {1004, 718}, 1, 0, nullptr};
    const RgbImage background = Solid(1004, 718, 0);
    job.Background = &background;
    const PictureResult again = PreparePicture(job, "big.jpg");
    EXPECT_EQ(again.Outcome, PictureOutcome::Prepared);
    EXPECT_FALSE(again.Reduced);
    EXPECT_FALSE(again.StoredRewritten);
}

TEST_F(PreparationTest, PlacesAPortraitPictureByTheAlignment) {
    Add("tall.png", Halves(1944, 2592));
    form.AlignIndex = 2;  // Right
    ASSERT_TRUE(Run());
    EXPECT_EQ(SizeOf(store / "tall.png"), (PixelSize{538, 718}));
    const RgbImage copy = ReadPicture(prepared / "tall.png");
    ASSERT_EQ(copy.Width(), 1004);
    EXPECT_EQ(PixelAt(copy, 1004 - 538 - 1, 300), kBackground);
    EXPECT_EQ(PixelAt(copy, 1004 - 538 + 5, 300), kRed);
    EXPECT_EQ(PixelAt(copy, 1000, 300), kBlue);
}

TEST_F(PreparationTest, ComposesASmallPictureWithoutEnlargingOrRewritingIt) {
    Add("small.png", Solid(640, 481, kRed));
    const std::string before = ReadFile(store / "small.png");
    ASSERT_TRUE(Run());
    const RgbImage copy = ReadPicture(prepared / "small.png");
    ASSERT_EQ(copy.Width(), 1004);
    ASSERT_EQ(copy.Height(), 718);
    // top 118 (from 118.5), left 182; lossless, so exact.
    EXPECT_EQ(PixelAt(copy, 182, 118), kRed);
    EXPECT_EQ(PixelAt(copy, 821, 598), kRed);
    EXPECT_EQ(PixelAt(copy, 181, 118), kBackground);
    EXPECT_EQ(PixelAt(copy, 182, 117), kBackground);
    EXPECT_EQ(PixelAt(copy, 822, 598), kBackground);
    EXPECT_EQ(PixelAt(copy, 821, 599), kBackground);
    EXPECT_EQ(ReadFile(store / "small.png"), before);
}

TEST_F(PreparationTest, KeepsEachPicturesOwnFormatWhateverTheCase) {
    Add("BEACH.JPG", Gradient(1200, 900));
    Add("map.bmp", Gradient(1100, 300));
    Add("logo.Png", Solid(50, 50, kRed));
    ASSERT_TRUE(Run());
    EXPECT_EQ(ReadFile(prepared / "BEACH.JPG").substr(0, 3), "\xFF\xD8\xFF");
    EXPECT_EQ(ReadFile(prepared / "map.bmp").substr(0, 2), "BM");
    EXPECT_EQ(ReadFile(prepared / "logo.Png").substr(1, 3), "PNG");
    EXPECT_EQ(ReadFile(store / "map.bmp").substr(0, 2), "BM");
    EXPECT_EQ(SizeOf(store / "map.bmp"), (PixelSize{1004, 274}));

    PreparationInput fresh;
    fresh.LargestSize = LargestWith(fresh.LargestSize, (store / "BEACH.JPG").string());
    EXPECT_EQ(fresh.LargestSize, (PixelSize{957, 718}));
    fresh.LargestSize = LargestWith(fresh.LargestSize, (store / "map.bmp").string());
    EXPECT_EQ(fresh.LargestSize, (PixelSize{1004, 718}));
}

TEST_F(PreparationTest, ProgressCountsUpOnTheCallersThreadAndEndsAtZero) {
    Add("a.jpg", Gradient(2000, 1500));
    Add("b.png", Gradient(300, 200));
    Add("c.bmp", Gradient(1500, 2000));
    ASSERT_TRUE(Run());
    EXPECT_EQ(dialogs.label, "Creating Images...");
    EXPECT_EQ(dialogs.maximum, 2);
    EXPECT_EQ(dialogs.values, (std::vector<int>{0, 1, 2, 0}));
    EXPECT_GE(dialogs.repaints, 1);
    EXPECT_FALSE(dialogs.callsFromOtherThreads);
    EXPECT_EQ(PreparedNames(), (std::vector<std::string>{"a.jpg", "b.png", "c.bmp"}));
}

TEST_F(PreparationTest, SkipsWhatItCannotReadAndStillSucceeds) {
    form.Pictures.push_back({"gone.jpg"});
    form.Pictures.push_back({"notes.txt"});
    AddBytes("empty.png", "");
    Add("ok.bmp", Solid(10, 10, kRed));
    WriteFile(prepared / "empty.png", "old copy");
    ASSERT_TRUE(Run());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(PreparedNames(), (std::vector<std::string>{"empty.png", "ok.bmp"}));
    // A skipped picture's earlier prepared copy stays.
    EXPECT_EQ(ReadFile(prepared / "empty.png"), "old copy");
}

TEST_F(PreparationTest, ZeroTargetEndsWithTheErrorMessageAndTouchesNothing) {
    Add("pic.jpg", Gradient(2000, 1500));
    const std::string before = ReadFile(store / "pic.jpg");
    form.TargetSize = {0, 0};
    form.LargestSize = {0, 0};
    screen.area = {0, 0, 20, 20};  // no room left inside the margins
    EXPECT_FALSE(Run());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "There was an error preparing the images. If this error continues please notify "
              "the author.");
    EXPECT_EQ(dialogs.messages[0].title, "Internal Error");
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::Ok);
    EXPECT_TRUE(PreparedNames().empty());
    EXPECT_EQ(ReadFile(store / "pic.jpg"), before);
}

TEST_F(PreparationTest, PicturesLeftUnmeasuredByAnEarlierRunAreMeasuredFromTheStore) {
    // Added, then closed without a build: the next run starts with nothing measured.
    Add("pic.jpg", Gradient(640, 480));
    form.TargetSize = {0, 0};
    form.LargestSize = {0, 0};
    ASSERT_TRUE(Run());
    EXPECT_EQ(form.TargetSize, (PixelSize{640, 480}));
    EXPECT_EQ(SizeOf(prepared / "pic.jpg"), (PixelSize{640, 480}));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PreparationTest, AZeroSideIsRecomputedFromTheScreenFirst) {
    Add("pic.png", Solid(20, 20, kRed));
    form.TargetSize = {0, 718};
    form.LargestSize = {800, 600};
    ASSERT_TRUE(Run());
    EXPECT_EQ(form.TargetSize, (PixelSize{800, 600}));
    EXPECT_EQ(ReadPicture(prepared / "pic.png").Width(), 800);
}

TEST_F(PreparationTest, BackgroundUsesTheTranslatedColour) {
    Add("dot.bmp", Solid(4, 4, kRed));
    form.BackgroundColor = 0x8000000F;  // button face, a system-colour reference
    const uint32_t expected = *colors.Translate(0x8000000F);
    ASSERT_TRUE(Run());
    EXPECT_EQ(PixelAt(ReadPicture(prepared / "dot.bmp"), 0, 0), expected);

    form.BackgroundColor = 0x7F000000;  // not translatable: the page's grey
    ASSERT_TRUE(Run());
    EXPECT_EQ(PixelAt(ReadPicture(prepared / "dot.bmp"), 0, 0), FallbackBackgroundColor);
}

TEST_F(PreparationTest, TurnsAPhonePortraitUpright) {
    // Stored as 800 × 600 with red left, blue right, tagged "turn a quarter clockwise".
    AddBytes("phone.jpg",
             WithExifOrientation(EncodePicture(Halves(800, 600), PictureFormat::Jpeg), 6));
    PreparationInput measured;
    measured.LargestSize = LargestWith(measured.LargestSize, (store / "phone.jpg").string());
    EXPECT_EQ(measured.LargestSize, (PixelSize{600, 800}));

    ASSERT_TRUE(Run());
    // Upright 600 × 800 fits as 538 × 718 at left 233: red on top, blue below.
    const RgbImage copy = ReadPicture(prepared / "phone.jpg");
    EXPECT_TRUE(Near(PixelAt(copy, 500, 100), kRed, 8));
    EXPECT_TRUE(Near(PixelAt(copy, 500, 600), kBlue, 8));
    EXPECT_TRUE(Near(PixelAt(copy, 230, 359), kBackground, 2));
    // The reduced stored copy is upright itself, so later runs need no tag.
    EXPECT_EQ(SizeOf(store / "phone.jpg"), (PixelSize{538, 718}));
    const RgbImage stored = ReadPicture(store / "phone.jpg");
    EXPECT_EQ(stored.Width(), 538);
    EXPECT_TRUE(Near(PixelAt(stored, 269, 50), kRed, 8));
}

TEST_F(PreparationTest, LaysTransparentPngOverTheBackgroundNotBlack) {
    AddBytes("clear.png", ZeroPng(100, 100, true));
    ASSERT_TRUE(Run());
    EXPECT_EQ(PixelAt(ReadPicture(prepared / "clear.png"), 502, 359), kBackground);
}

// Placed from the first run as the kept one-pixel side will be on every later run.
TEST_F(PreparationTest, ASliverKeepsAtLeastOnePixelInTheSamePlaceOnEveryRun) {
    Add("line.png", Solid(20000, 2, kRed));  // 1004 × 0.1 rounds to no rows at all
    Add("post.png", Solid(2, 20000, kRed));
    form.AlignIndex = 2;  // Right
    for (int run = 0; run < 2; ++run) {
        ASSERT_TRUE(Run());
        EXPECT_EQ(SizeOf(store / "line.png"), (PixelSize{1004, 1}));
        EXPECT_EQ(SizeOf(store / "post.png"), (PixelSize{1, 718}));
        const RgbImage line = ReadPicture(prepared / "line.png");
        EXPECT_EQ(PixelAt(line, 500, 358), kRed) << run;  // (718 - 1) / 2 = 358.5, to even
        EXPECT_EQ(PixelAt(line, 500, 359), kBackground) << run;
        const RgbImage post = ReadPicture(prepared / "post.png");
        EXPECT_EQ(PixelAt(post, 1003, 300), kRed) << run;
        EXPECT_EQ(PixelAt(post, 1002, 300), kBackground) << run;
    }
}

TEST_F(PreparationTest, GoesOnWhenThePreparedFolderCannotBeWritten) {
    Add("pic.png", Solid(1500, 1000, kRed));
    std::filesystem::remove_all(prepared);
    ASSERT_TRUE(Run());
    EXPECT_FALSE(std::filesystem::exists(prepared));
    // The reduction was still kept.
    EXPECT_EQ(SizeOf(store / "pic.png"), (PixelSize{1004, 669}));
}

// A reduced picture is resampled straight into its place on the canvas and its
// stored copy encoded from there (rows of the canvas's width): both must hold
// exactly what a reduction on its own gives, with the background all around.
TEST_F(PreparationTest, AReductionOnTheCanvasMatchesOneMadeOnItsOwn) {
    for (const std::string name : {"wide.bmp", "tall.png", "tall.jpg"}) {
        const bool tall = name.starts_with("tall");
        const RgbImage original = tall ? Gradient(1300, 2600) : Gradient(2600, 1300);
        WritePicture(store / name, original, FormatKeyOf(name));
        const std::string before = ReadFile(store / name);
        const PixelSize fit = tall ? PixelSize{359, 718} : PixelSize{1004, 502};
        const RgbImage alone = DecodeReduced(before, fit, kBackground).value();

        const RgbImage background = Solid(1004, 718, kBackground);
        const PictureJob job{store.string() + "/", prepared.string() + "/",
                             {1004, 718},          1,
                             kBackground,          &background};
        const PictureResult result = PreparePicture(job, name);
        ASSERT_EQ(result.Outcome, PictureOutcome::Prepared) << name;
        EXPECT_TRUE(result.StoredRewritten);
        EXPECT_EQ(ReadFile(store / name), EncodePicture(alone, FormatKeyOf(name))) << name;
        if (name.ends_with(".jpg")) continue;  // lossy: the stored bytes said it all

        const RgbImage copy = ReadPicture(prepared / name);
        ASSERT_EQ(copy.Width(), 1004);
        ASSERT_EQ(copy.Height(), 718);
        const int32_t left = (1004 - fit.Width) / 2, top = (718 - fit.Height) / 2;
        int wrong = 0;
        for (int32_t y = 0; y < 718; ++y)
            for (int32_t x = 0; x < 1004; ++x) {
                const bool inside =
                    x >= left && x < left + fit.Width && y >= top && y < top + fit.Height;
                const uint32_t want = inside ? PixelAt(alone, x - left, y - top) : kBackground;
                wrong += PixelAt(copy, x, y) != want;
            }
        EXPECT_EQ(wrong, 0) << name;
    }
}

TEST_F(PreparationTest, AnAreaOfAPictureMustLieWhollyInside) {
    RgbImage image = Solid(10, 8, kRed);
    const auto area = image.Area(2, 3, 8, 5);
    ASSERT_TRUE(area);
    EXPECT_EQ(area->Data, image.Row(3) + 6);
    EXPECT_EQ(area->Stride, image.Stride());
    EXPECT_FALSE(image.Area(3, 3, 8, 5));  // one column too far right
    EXPECT_FALSE(image.Area(2, 4, 8, 5));  // one row too far down
    EXPECT_FALSE(image.Area(-1, 0, 2, 2));
    EXPECT_FALSE(image.Area(0, 0, 0, 2));
    EXPECT_FALSE(RgbImage().Area(0, 0, 1, 1));
}

TEST_F(PreparationTest, ManyWorkersWriteExactlyWhatOneWorkerWrites) {
    Add("a.jpg", Gradient(2600, 1700));
    Add("b.png", Halves(1300, 2100));
    Add("c.bmp", Gradient(1900, 800));
    Add("d.jpg", Halves(300, 200));
    form.Pictures.push_back({"a.jpg"});  // twice: the second entry sees the rewrite
    Add("e.jpg", Gradient(1010, 720));
    const RgbImage background = Solid(1004, 718, kBackground);
    std::vector<std::string> names;
    for (const auto& e : form.Pictures) names.push_back(e.FileName);

    auto runWith = [&](unsigned workers, const std::string& tag) {
        const auto s = home / (tag + "/store"), p = home / (tag + "/prepared");
        std::filesystem::create_directories(p);
        std::filesystem::copy(store, s);
        PictureJob job{s.string() + "/", p.string() + "/", {1004, 718}, 1,
                       kBackground,      &background};
        std::vector<int> seen;
        const auto results =
            PreparePictureList(job, names, workers, [&](int n) { seen.push_back(n); });
        EXPECT_EQ(seen.back(), static_cast<int>(names.size()));
        EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
        for (const auto& r : results) EXPECT_EQ(r.Outcome, PictureOutcome::Prepared);
        return std::pair{s, p};
    };
    const auto [store1, prepared1] = runWith(1, "one");
    const auto [store3, prepared3] = runWith(3, "three");
    for (const auto& name : {"a.jpg", "b.png", "c.bmp", "d.jpg", "e.jpg"}) {
        EXPECT_EQ(ReadFile(prepared1 / name), ReadFile(prepared3 / name)) << name;
        EXPECT_EQ(ReadFile(store1 / name), ReadFile(store3 / name)) << name;
    }
}

}  // namespace
}  // namespace sorvane::test
