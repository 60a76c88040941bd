#include "PreparationFixture.h"

#include <fstream>

namespace sorvane::test {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t kRed = 0x000000FF, kGreen = 0x0000FF00;

// Builds as Apply does: into a staging folder beside the shown copies, which
// it then replaces; each build is checked against one that makes every copy.
class IncrementalTest : public PreparationTest {
  protected:
    int Apply() {
        const fs::path staging = home / "Pictures/.Sorvane.new";
        fs::remove_all(staging);
        fs::create_directories(staging);
        form.PreparedFolder = staging.string() + "/";
        form.ShownFolder = prepared.string() + "/";
        const PreparationResult result = PreparePictures(form, screen, colors, dialogs);
        EXPECT_TRUE(result.Started);
        EXPECT_TRUE(result.NotWritten.empty());
        form.TargetSize = result.TargetSize;
        form.LargestSize = result.LargestSize;
        fs::remove_all(prepared);
        fs::rename(staging, prepared);
        return result.Kept;
    }

    // Every copy byte for byte as a build from nothing makes it now.
    void ExpectSameAsFullBuild(const std::string& step) {
        SCOPED_TRACE(step);
        PreparationInput full = form;
        const fs::path folder = home / "full";
        fs::remove_all(folder);
        fs::create_directories(folder);
        full.PreparedFolder = folder.string() + "/";
        full.ShownFolder.clear();
        ASSERT_TRUE(PreparePictures(full, screen, colors, dialogs).Started);
        const std::vector<std::string> names = PreparedNames();
        EXPECT_EQ(names.size(), form.Pictures.size());
        for (const std::string& name : names)
            EXPECT_TRUE(ReadFile(folder / name) == ReadFile(prepared / name)) << name;
    }
};

TEST_F(IncrementalTest, MakesAgainOnlyWhatChangedAndMatchesAFullBuild) {
    Add("big.jpg", Gradient(2592, 1944));  // reduced, its stored copy rewritten
    Add("small.png", Gradient(400, 300));
    Add("plain.bmp", Solid(640, 480, kRed));
    EXPECT_EQ(Apply(), 0);
    ExpectSameAsFullBuild("first build");

    // An edit that touches no picture (say the duration) keeps every copy.
    EXPECT_EQ(Apply(), 3);
    ExpectSameAsFullBuild("nothing changed");

    form.BackgroundColor = kGreen;
    EXPECT_EQ(Apply(), 0);
    ExpectSameAsFullBuild("colour");

    // Another picture of the same size, written over the stored one in place,
    // with the old modification time put back: only the change time tells.
    const fs::path plain = store / "plain.bmp";
    const auto mtime = fs::last_write_time(plain);
    const std::string before = ReadFile(prepared / "plain.bmp");
    WritePicture(home / "other.bmp", Solid(640, 480, kGreen), PictureFormat::Bmp);
    ASSERT_EQ(fs::file_size(home / "other.bmp"), fs::file_size(plain));
    WriteFile(plain, ReadFile(home / "other.bmp"));
    fs::last_write_time(plain, mtime);
    EXPECT_EQ(Apply(), 2);
    EXPECT_NE(ReadFile(prepared / "plain.bmp"), before);
    ExpectSameAsFullBuild("picture replaced");

    form.AlignIndex = 0;
    EXPECT_EQ(Apply(), 0);
    ExpectSameAsFullBuild("alignment");

    // A copy changed behind the program's back, or a manifest that makes no
    // sense, is made again rather than trusted.
    WriteFile(prepared / "small.png", "not a picture");
    EXPECT_EQ(Apply(), 2);
    ExpectSameAsFullBuild("copy spoiled");
    // Edited in place with its size and modification time put back.
    const fs::path copy = prepared / "plain.bmp";
    const auto copyTime = fs::last_write_time(copy);
    std::string edited = ReadFile(copy);
    edited[edited.size() / 2] ^= 0x5A;
    {
        std::ofstream out(copy, std::ios::binary | std::ios::in | std::ios::out);
        out.write(edited.data(), static_cast<std::streamsize>(edited.size()));
    }
    fs::last_write_time(copy, copyTime);
    EXPECT_EQ(Apply(), 2);
    ExpectSameAsFullBuild("copy edited in place");
    WriteFile(prepared / PreparedManifest::FileName, "sorvane prepared copies\n1 x\n");
    EXPECT_EQ(Apply(), 0);
    ExpectSameAsFullBuild("manifest spoiled");
}

// The preview prepares into the shown folder itself: kept copies stay put.
TEST_F(IncrementalTest, ARunIntoTheShownFolderKeepsItsCopies) {
    Add("small.png", Gradient(400, 300));
    form.ShownFolder = form.PreparedFolder;
    ASSERT_TRUE(Run());
    const std::string copy = ReadFile(prepared / "small.png");
    const PreparationResult again = PreparePictures(form, screen, colors, dialogs);
    EXPECT_EQ(again.Kept, 1);
    EXPECT_EQ(ReadFile(prepared / "small.png"), copy);
}

}  // namespace
}  // namespace sorvane::test
