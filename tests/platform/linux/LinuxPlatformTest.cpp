#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QGuiApplication>
#include <filesystem>

#include "common/TempHome.h"
#include "platform/linux/ExecutableLocation.h"
#include "platform/linux/LinuxFolders.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/LinuxScreen.h"
#include "platform/linux/LinuxTempNames.h"

using namespace sorvane;

namespace {

TEST(LinuxTempNames, SameNameEveryTimeAndNothingCreated) {
    test::TempHome home;
    LinuxTempNames names;
    const std::string folder = (home / "Pictures").string();
    EXPECT_EQ(names.TempFileName(folder, "WP", 1), folder + "/WP1.TMP");
    EXPECT_EQ(names.TempFileName(folder, "WP", 1), names.TempFileName(folder, "WP", 1));
    EXPECT_EQ(names.TempFileName(folder, "WPXY", 0x2A), folder + "/WPX2A.TMP");
    EXPECT_FALSE(std::filesystem::exists(folder + "/WP1.TMP"));
}

TEST(LinuxFolders, DataFolderAndTheUsersTemplateFirst) {
    test::TempHome home;
    LinuxFolders folders;
    EXPECT_EQ(folders.ProgramFolder(), (home / "data/desktop-sorvane").string());
    // Without a copy of the user's, the template comes from the installed or
    // source resources: never the user's folder.
    EXPECT_EQ(folders.TemplatePath().find(folders.ProgramFolder()), std::string::npos);
    test::WriteFile(home / "data/desktop-sorvane/template.html", "mine");
    EXPECT_EQ(folders.TemplatePath(), (home / "data/desktop-sorvane/template.html").string());
}

// The Pictures folder from user-dirs.dirs, byte for byte, without ever
// waiting on it.
TEST(LinuxFolders, PicturesFromUserDirs) {
    test::TempHome home;
    LinuxFolders folders;
    const std::string h = (home / "home").string();
    const auto dirs = home / "config/user-dirs.dirs";
    EXPECT_EQ(folders.PicturesFolder(), h + "/Pictures") << "no file: the default";
    test::WriteFile(dirs, "# xdg\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
    EXPECT_EQ(folders.PicturesFolder(), h + "/Bilder");
    test::WriteFile(dirs, "XDG_PICTURES_DIR=\"/srv/caf\xe9 \\\"q\\\"/\"\n");
    EXPECT_EQ(folders.PicturesFolder(), "/srv/caf\xe9 \"q\"") << "not UTF-8, used as it is";
    test::WriteFile(dirs, "XDG_PICTURES_DIR=\"$HOME/\"\n");
    EXPECT_EQ(folders.PicturesFolder(), h + "/Pictures") << "the home itself means none";
    std::filesystem::remove(dirs);
    ASSERT_EQ(::mkfifo(dirs.c_str(), 0600), 0);
    EXPECT_EQ(folders.PicturesFolder(), h + "/Pictures") << "a pipe is passed over at once";
    EXPECT_EQ(folders.ProgramFolder(), (home / "data/desktop-sorvane").string());
}

TEST(LinuxFolders, ABuildTreeProgramFindsATemplate) {
    // Tests run where they were built; an installed copy never counts as such
    // (the package check runs one without its template).
    test::TempHome home;
    EXPECT_TRUE(RunFromBuildTree()) << ExecutableFolder();
    EXPECT_TRUE(std::filesystem::is_regular_file(LinuxFolders().TemplatePath()));
}

TEST(LinuxScreen, FixedOrPrimaryScreenOrDefault) {
    EXPECT_EQ(LinuxScreen(Rect{0, 0, 1024, 738}).WorkArea().Bottom, 738);
    const Rect none = LinuxScreen().WorkArea();  // no application: no screen to ask
    EXPECT_EQ(none.Right, 1920);
    EXPECT_EQ(none.Bottom, 1080);
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);  // offscreen in tests
    const Rect r = LinuxScreen().WorkArea();
    EXPECT_GT(r.Right - r.Left, 0);
    EXPECT_GT(r.Bottom - r.Top, 0);
}

TEST(LinuxPlatform, EveryServiceIsThere) {
    test::TempHome home;
    const Platform p = MakeLinuxPlatform({Rect{0, 0, 800, 600}, false});
    EXPECT_TRUE(p.folders && p.screen && p.tempNames && p.colors && p.shell);
    EXPECT_EQ(p.screen->WorkArea().Right, 800);
    EXPECT_FALSE(p.shell->Open("https://www.example.org/")) << "nothing opens in scripted runs";
    EXPECT_EQ(p.colors->Translate(0x00ABCDEF), 0x00ABCDEFu);
}

}  // namespace
