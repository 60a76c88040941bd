#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "common/TempHome.h"
#include "host/PlasmaKeptPlugins.h"
#include "host/PlasmaPluginFiles.h"
#include "host/PlasmaScripts.h"

namespace fs = std::filesystem;

namespace sorvane::test {
namespace {

const std::string Ours = PlasmaPluginId;

// XDG_DATA_DIRS for one test.
struct DataDirs {
    explicit DataDirs(const std::string& value) {
        if (const char* old = std::getenv("XDG_DATA_DIRS")) before = old;
        setenv("XDG_DATA_DIRS", value.c_str(), 1);
    }
    ~DataDirs() {
        if (before)
            setenv("XDG_DATA_DIRS", before->c_str(), 1);
        else
            unsetenv("XDG_DATA_DIRS");
    }
    std::optional<std::string> before;
};

TEST(PlasmaScripts, ReadsBackWhatTheReadScriptPrints) {
    // As plasmashell prints it: encodeURIComponent of each field, empty ones too.
    const auto desktops = ParsePlasmaDesktops(
        "1 0 org.kde.image  0 \n"
        "7 -1 org.example.desktopsorvane file%3A%2F%2F%2Fp%2Fa%20b%2FS.html 3 "
        "3%20file%3A%2F%2F%2Fp%2Fa%20b%2FS.html\n");
    ASSERT_TRUE(desktops);
    ASSERT_EQ(desktops->size(), 2u);
    EXPECT_EQ((*desktops)[0], (PlasmaDesktop{1, 0, "org.kde.image", "", 0, ""}));
    EXPECT_EQ((*desktops)[1],
              (PlasmaDesktop{7, -1, Ours, "file:///p/a b/S.html", 3, "3 file:///p/a b/S.html"}));
    EXPECT_EQ(ParsePlasmaDesktops(""), std::vector<PlasmaDesktop>{});
    for (const char* bad : {"1 0 x", "x 0 a b 0 c", "1 0 a %zz 0 c", "1 0 a b 0 c d", "1 0 a %4"})
        EXPECT_FALSE(ParsePlasmaDesktops(bad)) << bad;

    const std::string any = "a b\n\"'\\%\xc3\xa9\x01/";
    EXPECT_EQ(PercentDecode(PercentEncode(any)), any);
    EXPECT_EQ(PercentEncode(any).find_first_of(" \n\"'\\"), std::string::npos);
}

TEST(PlasmaScripts, ScriptsCarryTheirValuesEncoded) {
    const std::string apply = PlasmaApplyScript("file:///p/x\".html", {3, 12});
    EXPECT_NE(apply.find(PercentEncode("file:///p/x\".html")), std::string::npos);
    EXPECT_EQ(apply.find("x\".html"), std::string::npos) << "no raw quote in the script";
    EXPECT_NE(apply.find("[3, 12]"), std::string::npos);
    EXPECT_NE(apply.find("reloadConfig()"), std::string::npos) << "a running plugin must see it";

    const std::string back = PlasmaGiveBackScript({{1, "org.kde.image"}, {4, "a\"b"}});
    EXPECT_NE(back.find("\"1\": decodeURIComponent(\"org.kde.image\")"), std::string::npos);
    EXPECT_NE(back.find(PercentEncode("a\"b")), std::string::npos);
}

TEST(PlasmaScripts, SeenOnlyWhenEveryScreenLoadedThePage) {
    const std::string url = "file:///p/S.html";
    const PlasmaDesktop shown{1, 0, Ours, url, 2, "2 " + url};
    EXPECT_EQ(PlasmaNotSeen({shown}, url), "");
    // A desktop on no screen (another activity, a screen gone) shows nothing.
    EXPECT_EQ(PlasmaNotSeen({shown, {5, -1, "org.kde.image", "", 0, ""}}, url), "");

    EXPECT_NE(PlasmaNotSeen({}, url), "");
    EXPECT_NE(PlasmaNotSeen({{5, -1, Ours, url, 2, "2 " + url}}, url), "");
    PlasmaDesktop other = shown;
    other.screen = 1;
    for (auto change : {+[](PlasmaDesktop& d) { d.plugin = "org.kde.image"; },
                        +[](PlasmaDesktop& d) { d.page = "file:///p/old.html"; },
                        +[](PlasmaDesktop& d) { d.revision = 3; },  // reloaded, not loaded yet
                        +[](PlasmaDesktop& d) { d.shown = ""; }}) {
        PlasmaDesktop d = other;
        change(d);
        const std::string why = PlasmaNotSeen({shown, d}, url);
        EXPECT_NE(why.find("screen 1"), std::string::npos) << why;
    }
}

TEST(PlasmaKeptPlugins, TheUsersPluginSurvivesOurOwnAndACrash) {
    TempHome home;
    const std::string path = KeptPlasmaPluginsPath();
    EXPECT_EQ(path, (home / "state/desktop-sorvane/plasma-wallpapers").string());
    EXPECT_TRUE(ReadKeptPlasmaPlugins(path).empty());

    // First show: both desktops' own plugins are kept.
    PlasmaPlugins kept = KeepPlasmaPlugins(
        {}, {{1, 0, "org.kde.image", "", 0, ""}, {2, 1, "org.kde. slide\nshow", "", 0, ""}});
    WriteKeptPlasmaPlugins(path, kept);
    // The host crashed with ours shown; the next one must not keep ours.
    kept = KeepPlasmaPlugins(
        ReadKeptPlasmaPlugins(path),
        {{1, 0, Ours, "", 0, ""}, {2, 1, Ours, "", 0, ""}, {3, 2, "org.kde.color", "", 0, ""}});
    EXPECT_EQ(kept, (PlasmaPlugins{
                        {1, "org.kde.image"}, {2, "org.kde. slide\nshow"}, {3, "org.kde.color"}}));
    WriteKeptPlasmaPlugins(path, kept);
    EXPECT_EQ(ReadKeptPlasmaPlugins(path), kept);

    // A file that names ours (written by hand, or by an old version) gives nothing back as ours.
    WriteFile(path, "1 org.example.desktopsorvane\n2 org.kde.image\n");
    EXPECT_EQ(ReadKeptPlasmaPlugins(path), (PlasmaPlugins{{2, "org.kde.image"}}));
}

TEST(PlasmaPluginFiles, ACopyForTheUserFromTheSourceTree) {
    TempHome home;
    // host_tests runs from the build tree: the source tree's plugin is copied.
    ASSERT_EQ(PlacePlasmaPlugin(), "");
    const fs::path mine = UserPlasmaPluginFolder();
    EXPECT_EQ(mine, home / "data/plasma/wallpapers/org.example.desktopsorvane");
    const fs::path source = SourceDir() / "resources/plasma/wallpaper";
    for (const char* file : {"metadata.json", "contents/ui/main.qml", "contents/config/main.xml"})
        EXPECT_EQ(ReadFile(mine / file), ReadFile(source / file)) << file;
    EXPECT_NE(ReadFile(mine / "metadata.json").find("\"Id\": \"org.example.desktopsorvane\""),
              std::string::npos);

    // An older copy is brought up to date.
    WriteFile(mine / "contents/ui/main.qml", "old");
    ASSERT_EQ(PlacePlasmaPlugin(), "");
    EXPECT_EQ(ReadFile(mine / "contents/ui/main.qml"), ReadFile(source / "contents/ui/main.qml"));
}

TEST(PlasmaPluginFiles, AnInstalledPluginIsNotHiddenByACopy) {
    TempHome home;
    const fs::path mine = UserPlasmaPluginFolder();
    const fs::path system = home / "system";
    const DataDirs dirs((home / "elsewhere").string() + ":" + system.string());

    // Neither installed nor beside the program: said so, nothing made.
    EXPECT_NE(PlacePlasmaPlugin(false, {(home / "none").string()}), "");
    EXPECT_FALSE(fs::exists(mine));

    const fs::path source = SourceDir() / "resources/plasma/wallpaper";
    ASSERT_EQ(PlacePlasmaPlugin(false, {(home / "none").string(), source.string()}), "");
    EXPECT_TRUE(fs::exists(mine / "metadata.json"));

    // Installed for everyone later: our copy, which plasmashell would read
    // first, goes; from the build tree the source's copy stays the one used.
    fs::create_directories(system / "plasma/wallpapers");
    fs::copy(source, system / "plasma/wallpapers/org.example.desktopsorvane",
             fs::copy_options::recursive);
    ASSERT_EQ(PlacePlasmaPlugin(true, {source.string()}), "");
    EXPECT_TRUE(fs::exists(mine / "metadata.json"));
    ASSERT_EQ(PlacePlasmaPlugin(false, {source.string()}), "");
    EXPECT_FALSE(fs::exists(mine));
}

}  // namespace
}  // namespace sorvane::test
