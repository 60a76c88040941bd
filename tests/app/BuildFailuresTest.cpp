// What a build does when the disk, the data folder or an input works against
// it: it installs the whole new show or leaves the old one and says why, and
// nothing it reads can keep it waiting.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <thread>

#include "FormTest.h"
#include "common/FormAccess.h"
#include "common/Needs.h"
#include "imaging/Preparation.h"
#include "platform/ShowLock.h"
#include "registry/cRegistry.h"
#include "settings/SettingsKey.h"

namespace fs = std::filesystem;

namespace sorvane::test {
namespace {

// Every file below a folder with its bytes, to show that nothing changed.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (e.is_regular_file())
            files[fs::relative(e.path(), folder).string()] = ReadFile(e.path());
    return files;
}

// A test that would otherwise wait for ever on a pipe fails instead.
class Deadline {
  public:
    explicit Deadline(unsigned seconds) { alarm(seconds); }
    ~Deadline() { alarm(0); }
};

// Files may grow only to `bytes` while it lives (the disk "fills up").
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = signal(SIGXFSZ, SIG_IGN);
        rlimit small = old_;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        signal(SIGXFSZ, oldHandler_);
    }

  private:
    rlimit old_{};
    sighandler_t oldHandler_;
};

// A small file system of its own for a folder; only root may mount one.
class SmallDisk {
  public:
    SmallDisk(const fs::path& at, const char* size) : at_(at) {
        fs::create_directories(at);
        mounted_ = ::mount("tmpfs", at.c_str(), "tmpfs", 0, size) == 0;
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(at_.c_str(), MNT_DETACH);
    }
    bool Mounted() const { return mounted_; }
    // Takes up every byte that is left.
    void Fill() {
        FileSizeLimit none(RLIM_INFINITY);
        FILE* f = std::fopen((at_ / "filler").c_str(), "wb");
        static const std::string block(4096, 'f');
        while (f && std::fwrite(block.data(), 1, block.size(), f) == block.size()) {
        }
        if (f) std::fclose(f);
    }
    void ReadOnly() { ::mount(nullptr, at_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr); }

  private:
    fs::path at_;
    bool mounted_ = false;
};

class Build : public FormTest {
  protected:
    Build() { MakeFolders(); }

    // The template comes in at the start, so a test may replace it before.
    std::unique_ptr<MainForm> Start() {
        CopyTemplate();
        return FormTest::Start();
    }

    fs::path Pictures() const { return fakes.folders->pictures; }
    std::string Page() const { return ReadFile(Pictures() / "Sorvane.html"); }

    // A stored, measured JPEG and its list entry, as adding leaves them. A
    // noisy one does not compress, so its prepared copy is large.
    void AddPicture(MainForm& form, const std::string& name, int w, int h, bool noisy = false) {
        const std::string path = form.State().Window.PictureStore + name;
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        std::mt19937 rng(7);
        if (noisy)
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) image.setPixel(x, y, rng() | 0xFF000000u);
        ASSERT_TRUE(image.save(QString::fromStdString(path), nullptr, 100));
        test::Setup(form).Settings.Pictures.push_back({name, TransitionNone, false});
        auto& largest = test::Setup(form).Window.LargestSize;
        largest = LargestWith(largest, path);
        form.MarkChanged();
    }

    std::vector<std::string> Logged(const std::string& prefix) const {
        std::vector<std::string> lines;
        for (const auto& l : dialogs.Log)
            if (l.starts_with(prefix)) lines.push_back(l);
        return lines;
    }

    void FullThenReadOnly(const std::string& folder, const std::string& about);

    // The build failed as the user meets it: one message naming `about`,
    // the window still open with Apply on, and the old show untouched.
    void ExpectFailedBuild(MainForm& form, const std::string& about,
                           const std::map<std::string, std::string>& show,
                           const std::string& config) {
        const auto errors = Logged("error: ");
        ASSERT_EQ(errors.size(), 1u) << (errors.empty() ? "" : errors.back());
        EXPECT_NE(errors[0].find(about), std::string::npos) << errors[0];
        EXPECT_FALSE(form.Closed());
        EXPECT_TRUE(form.State().Settings.Changed);
        EXPECT_TRUE(form.State().Controls.ApplyEnabled);
        EXPECT_EQ(Snapshot(Pictures()), show);
        EXPECT_EQ(ReadFile(ConfigPath()), config);
    }
};

TEST_F(Build, SettingsThatCannotBeSavedFailTheBuild) {
    auto form = Start();
    AddPicture(*form, "a.jpg", 40, 30);
    form->cmdApply_Click();
    ASSERT_TRUE(Logged("error: ").empty());
    const auto show = Snapshot(Pictures());
    const std::string config = ReadFile(ConfigPath());

    // A folder where config.dat belongs.
    fs::rename(ConfigPath(), ConfigPath() + ".kept");
    fs::create_directory(ConfigPath());
    form->UserEditedDuration("9");
    dialogs.Log.clear();
    form->cmdOk_Click();
    const auto errors = Logged("error: ");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find(ConfigPath()), std::string::npos) << errors[0];
    EXPECT_FALSE(form->Closed());
    EXPECT_TRUE(form->State().Settings.Changed);
    EXPECT_TRUE(form->State().Controls.ApplyEnabled);
    EXPECT_EQ(Snapshot(Pictures()), show);

    fs::remove(ConfigPath());
    fs::rename(ConfigPath() + ".kept", ConfigPath());
    EXPECT_EQ(ReadFile(ConfigPath()), config);
}

// A folder on a disk that fills up, then turns read-only: every build in
// between fails with a message naming `about`, and the old show stays.
void Build::FullThenReadOnly(const std::string& folder, const std::string& about) {
    SmallDisk disk(folder, "size=256k");
    SORVANE_NEEDS(disk.Mounted(), "root, to mount a small file system");
    auto form = Start();
    AddPicture(*form, "a.jpg", 40, 30);
    form->cmdApply_Click();
    ASSERT_TRUE(Logged("error: ").empty());

    disk.Fill();
    const auto show = Snapshot(Pictures());
    const std::string config = ReadFile(ConfigPath());
    form->UserPickedColour(0x000000FF);
    dialogs.Log.clear();
    form->cmdOk_Click();
    ExpectFailedBuild(*form, about, show, config);

    disk.ReadOnly();
    dialogs.Log.clear();
    form->cmdApply_Click();
    ExpectFailedBuild(*form, about, show, config);
}

TEST_F(Build, AFullOrReadOnlyDataFolderFailsTheBuild) {
    FullThenReadOnly(fakes.folders->program, "config.dat");
}

TEST_F(Build, AFullOrReadOnlyPageFolderFailsTheBuild) {
    FullThenReadOnly(fakes.folders->pictures, fakes.folders->pictures);
}

TEST_F(Build, RoomForThePageButNotForEveryCopyKeepsTheOldShow) {
    auto form = Start();
    AddPicture(*form, "a.jpg", 200, 150);
    form->cmdApply_Click();
    ASSERT_TRUE(Logged("error: ").empty());
    const auto show = Snapshot(Pictures());
    const std::string config = ReadFile(ConfigPath());

    // A new colour, and a picture whose copy does not fit on the disk.
    AddPicture(*form, "noise.jpg", 300, 200, true);
    form->UserPickedColour(0x000000FF);
    dialogs.Log.clear();
    {
        FileSizeLimit limit(64 * 1024);
        form->cmdApply_Click();
    }
    ExpectFailedBuild(*form, "noise.jpg", show, config);
    EXPECT_FALSE(fs::exists(Pictures() / ".Sorvane.new")) << "nothing is left half-built";

    // With room again the same build goes through, copies and page together.
    dialogs.Log.clear();
    form->cmdApply_Click();
    EXPECT_TRUE(Logged("error: ").empty());
    EXPECT_TRUE(fs::exists(Pictures() / "Sorvane/noise.jpg"));
    EXPECT_NE(Page().find("noise.jpg"), std::string::npos);
    EXPECT_NE(ReadFile(Pictures() / "Sorvane/a.jpg"), show.at("Sorvane/a.jpg"));
}

TEST_F(Build, APictureThatCannotBeReadKeepsItsEarlierCopy) {
    auto form = Start();
    AddPicture(*form, "a.jpg", 40, 30);
    AddPicture(*form, "b.jpg", 40, 30);
    form->cmdApply_Click();
    const std::string earlier = ReadFile(Pictures() / "Sorvane/b.jpg");
    WriteFile(form->State().Window.PictureStore + "b.jpg", "no longer a picture");
    form->UserEditedDuration("3");
    form->cmdApply_Click();
    EXPECT_TRUE(Logged("error: ").empty());
    EXPECT_EQ(ReadFile(Pictures() / "Sorvane/b.jpg"), earlier);
    EXPECT_NE(Page().find("3000"), std::string::npos);
}

// A crash between a build's two renames, and the temporary files of writes cut
// short: the next start puts the earlier copies back and says so, and the next
// build clears the leftovers.
TEST_F(Build, AnInterruptedBuildIsPutBackAtTheNextStart) {
    {
        auto form = Start();
        AddPicture(*form, "a.jpg", 40, 30);
        form->cmdApply_Click();
    }
    const auto show = Snapshot(Pictures() / "Sorvane");
    fs::rename(Pictures() / "Sorvane", Pictures() / ".Sorvane.old");
    const fs::path leftover =
        fs::path(ConfigPath()).parent_path() / ".config.dat.0123456789abcdef.tmp";
    WriteFile(leftover, "half");
    fs::last_write_time(leftover, fs::file_time_type::clock::now() - std::chrono::hours(1));
    auto form = Start();
    EXPECT_EQ(Snapshot(Pictures() / "Sorvane"), show);
    EXPECT_FALSE(fs::exists(Pictures() / ".Sorvane.old"));
    const auto told = Logged("message: ");
    ASSERT_FALSE(told.empty());
    EXPECT_NE(told.back().find("cut short; its earlier pictures were put back"), std::string::npos);
    form->UserEditedDuration("4");
    form->cmdApply_Click();
    EXPECT_TRUE(Logged("error: ").empty());
    EXPECT_FALSE(fs::exists(leftover));
}

// Another program's build holds the show: this one waits, then goes ahead.
TEST_F(Build, ASecondBuildWaitsForTheFirst) {
    auto form = Start();
    AddPicture(*form, "a.jpg", 40, 30);
    const std::string lock = (fs::path(ConfigPath()).parent_path() / "show.lock").string();
    auto other = std::make_unique<ShowLock>(lock, "other-program", std::chrono::seconds(0));
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        other.reset();
    });
    form->cmdApply_Click();
    release.join();
    EXPECT_TRUE(Logged("error: ").empty());
    EXPECT_TRUE(fs::exists(Pictures() / "Sorvane/a.jpg"));
    // One that holds it past the wait is named, and nothing is touched.
    const auto before = Snapshot(Pictures());
    EXPECT_NO_THROW(ShowLock(lock, "x", std::chrono::seconds(0))) << "let go after the build";
    ShowLock held(lock, "other-program", std::chrono::seconds(0));
    EXPECT_THROW(
        {
            try {
                ShowLock(lock, "x", std::chrono::milliseconds(200));
            } catch (const Error& e) {
                EXPECT_NE(std::string(e.what()).find("other-program (process "), std::string::npos);
                throw;
            }
        },
        Error);
    EXPECT_EQ(Snapshot(Pictures()), before);
}

// The bytes of a PNG whose header claims `side` x `side` pixels (no pixels follow).
std::string PngHeaderOnly(uint32_t side) {
    const auto crc = [](std::string_view bytes) {
        uint32_t c = 0xFFFFFFFFu;
        for (const char ch : bytes) {
            c ^= static_cast<uint8_t>(ch);
            for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
        }
        return ~c;
    };
    const auto be = [](uint32_t v) {
        return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16),
                           static_cast<char>(v >> 8), static_cast<char>(v)};
    };
    const std::string ihdr = "IHDR" + be(side) + be(side) + std::string("\x08\x02\0\0\0", 5);
    return std::string("\x89PNG\r\n\x1a\n", 8) + be(13) + ihdr + be(crc(ihdr)) + be(0) + "IDAT" +
           be(crc("IDAT"));
}

// A picture too large to hold is named ("Picture Too Large") and left out of
// the page; the list and config.dat keep it, and the others are shown.
TEST_F(Build, APictureTooLargeIsToldAndLeftOutOfThePage) {
    auto form = Start();
    AddPicture(*form, "a.jpg", 40, 30);
    WriteFile(form->State().Window.PictureStore + "huge.png", PngHeaderOnly(27000));
    test::Setup(*form).Settings.Pictures.push_back({"huge.png", TransitionNone, false});
    form->cmdApply_Click();
    EXPECT_TRUE(Logged("error: ").empty());
    EXPECT_EQ(Logged("message: Picture Too Large").size(), 1u);
    EXPECT_EQ(Page().find("huge.png"), std::string::npos);
    EXPECT_NE(Page().find("a.jpg"), std::string::npos);
    EXPECT_NE(ReadFile(ConfigPath()).find("huge.png|"), std::string::npos);
}

// Nothing was ever measured: with nothing to prepare, the empty show is written.
TEST_F(Build, AFirstStartWithAnEmptyListBuilds) {
    auto form = Start();
    form->UserEditedDuration("5");
    form->cmdOk_Click();
    EXPECT_TRUE(Logged("error: ").empty());
    EXPECT_TRUE(form->Closed());
    EXPECT_NE(Page().find("var ImageCount = -1"), std::string::npos);
    EXPECT_EQ(ReadFile(ConfigPath()), "-2147483647 \r\n5\r\n\r\n");
}

// A size stored from a bad work area is measured anew instead of failing.
TEST_F(Build, AStoredSizeBelowOneIsMeasuredAgain) {
    {
        auto first = Start();
        AddPicture(*first, "a.jpg", 40, 30);
        first->cmdApply_Click();
        first->cmdOk_Click();  // stores the sizes
    }
    cRegistry reg(store);
    reg.SetClassKey(HKeyCurrentUser);
    reg.SetSectionKey(SettingsRegistryKey);
    reg.SetValueType(RegDword);
    reg.SetValueKey("RecWidth");
    reg.SetValue(RegistryValue(int32_t{-70}));
    dialogs.Log.clear();
    auto form = Start();
    EXPECT_EQ(form->State().Window.TargetSize.Width, 0);
    form->UserEditedDuration("4");
    form->cmdApply_Click();
    EXPECT_TRUE(Logged("error: ").empty());
    EXPECT_EQ(form->State().Window.TargetSize, (PixelSize{40, 30}));
}

// The web desktop off: a successful build leaves the cleared wallpaper
// cleared; only a failed one puts the page back.
TEST_F(Build, TheWebDesktopOffLeavesTheClearedWallpaper) {
    auto form = Start();
    test::Setup(*form).Controls.SetWallpaperEnabled = false;
    AddPicture(*form, "a.jpg", 40, 30);
    dialogs.MessageAnswers = {MsgResult::Cancel};
    form->cmdApply_Click();
    EXPECT_EQ(fakes.desktop->calls, (std::vector<std::string>{"SetWallpaper ", "ApplyChanges 7"}));
    EXPECT_EQ(fakes.desktop->wallpaper, "");
}

TEST_F(Build, AnUnreadableConfigIsKeptAsideAndTold) {
    ::mkfifo(ConfigPath().c_str(), 0644);
    Deadline deadline(20);
    auto form = Start();
    const auto told = Logged("message: Desktop Sorvane: Some settings could not be read");
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find(ConfigPath() + ".unreadable"), std::string::npos) << told[0];
    EXPECT_TRUE(fs::is_fifo(ConfigPath() + ".unreadable"));

    AddPicture(*form, "a.jpg", 40, 30);
    form->cmdApply_Click();
    EXPECT_TRUE(fs::is_regular_file(ConfigPath()));
    EXPECT_TRUE(fs::is_fifo(ConfigPath() + ".unreadable")) << "what could not be read stays";
}

// A config.dat that is not what we write (NUL bytes, noise, a file cut short)
// is kept aside and told like an unreadable one, never half loaded.
TEST_F(Build, AConfigOfTheWrongShapeIsKeptAsideAndTold) {
    const std::string whole = " 255 \r\n5\r\nCenter\r\na.jpg|3\r\nb.jpg|4\r\n";
    std::string noise(300, '\0');
    std::mt19937 rng(3);
    for (char& c : noise) c = static_cast<char>(rng());
    for (const std::string& bad :
         {std::string(4096, '\0'), noise, whole.substr(0, whole.size() - 4)}) {
        fs::remove(ConfigPath() + ".unreadable");
        WriteFile(ConfigPath(), bad);
        auto form = Start();
        const auto told = Logged("message: Desktop Sorvane: Some settings could not be read");
        ASSERT_FALSE(told.empty());
        EXPECT_NE(told.back().find("is not a slide show's settings"), std::string::npos)
            << told.back();
        EXPECT_TRUE(form->State().Settings.Pictures.empty()) << "half a list loaded";
        EXPECT_EQ(ReadFile(ConfigPath() + ".unreadable"), bad);
    }
    fs::remove(ConfigPath() + ".unreadable");
    WriteFile(ConfigPath(), whole);
    const size_t toldBefore = Logged("message: ").size();
    auto form = Start();
    EXPECT_EQ(Logged("message: ").size(), toldBefore);
    EXPECT_EQ(form->State().Settings.Pictures.size(), 2u);
}

// Pipes where pictures or the template belong are passed over or refused at
// once; none of them keeps the program waiting.
TEST_F(Build, PipesNeverKeepItWaiting) {
    Deadline deadline(20);
    auto form = Start();
    AddPicture(*form, "a.jpg", 40, 30);
    const std::string pipe = form->State().Window.PictureStore + "pipe.jpg";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    auto& largest = test::Setup(*form).Window.LargestSize;
    largest = LargestWith(largest, pipe);
    test::Setup(*form).Settings.Pictures.push_back({"pipe.jpg", TransitionNone, false});
    form->UserSelectedEntries({1}, 1);
    EXPECT_TRUE(form->State().Controls.PreviewPicturePath.empty());
    form->cmdApply_Click();
    EXPECT_TRUE(Logged("error: ").empty());
    EXPECT_FALSE(fs::exists(Pictures() / "Sorvane/pipe.jpg"));

    fs::remove(fakes.folders->templ);
    ::mkfifo(fakes.folders->templ.c_str(), 0644);
    form->UserEditedDuration("8");
    form->cmdApply_Click();
    EXPECT_EQ(Logged("error: ").size(), 1u);
}

}  // namespace
}  // namespace sorvane::test
