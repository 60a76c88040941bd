#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "FakeHost.h"
#include "common/TempHome.h"
#include "platform/Error.h"
#include "platform/linux/AutostartEntry.h"
#include "platform/linux/HostSocket.h"
#include "platform/linux/LinuxActiveDesktop.h"
#include "platform/linux/LinuxDesktopWindows.h"
#include "platform/linux/LinuxPlatform.h"
#include "registry/SqliteRegistryBackend.h"

namespace fs = std::filesystem;

namespace sorvane::test {
namespace {

class LinuxDesktop : public ::testing::Test {
  protected:
    TempHome home;
    std::string folder = HostSocketFolder();
    std::shared_ptr<RegistryBackend> store = OpenDefaultRegistryStore();
    LinuxActiveDesktop desktop{store, {folder, "", false}};
};

TEST_F(LinuxDesktop, ApplySavesTheSettingAndTheHostLoadsThePage) {
    FakeHost host(folder);
    EXPECT_EQ(desktop.GetWallpaper(), "");
    desktop.SetWallpaper(std::string("/home/ann/Pictures/Sorvane.html") + '\0');
    EXPECT_EQ(desktop.GetWallpaper(), "/home/ann/Pictures/Sorvane.html");
    EXPECT_EQ(ReadWallpaperSetting(store), "") << "saved before Apply";
    desktop.ApplyChanges(ActiveDesktop::ApplyAll);
    EXPECT_EQ(ReadWallpaperSetting(store), "/home/ann/Pictures/Sorvane.html");
    EXPECT_EQ(host.Requests(), std::vector<std::string>{"load /home/ann/Pictures/Sorvane.html"});

    // A new object (the next command) sees the saved setting.
    EXPECT_EQ(LinuxActiveDesktop(store, {folder, "", false}).GetWallpaper(),
              "/home/ann/Pictures/Sorvane.html");
}

TEST_F(LinuxDesktop, ClearingShowsTheEmptyDesktop) {
    FakeHost host(folder);
    desktop.SetWallpaper("/p/Sorvane.html");
    desktop.ApplyChanges(7);
    desktop.SetWallpaper("");
    desktop.ApplyChanges(7);
    EXPECT_EQ(ReadWallpaperSetting(store), "");
    EXPECT_EQ(host.Requests(), (std::vector<std::string>{"load /p/Sorvane.html", "load "}));
}

TEST_F(LinuxDesktop, WithoutARunningHostTheSettingWaitsForIt) {
    desktop.SetWallpaper("/p/Sorvane.html");
    EXPECT_NO_THROW(desktop.ApplyChanges(7));
    EXPECT_EQ(ReadWallpaperSetting(store), "/p/Sorvane.html");
}

TEST_F(LinuxDesktop, AHostThatCannotShowThePageFailsTheCall) {
    FakeHost host(folder, "error The page /p/Sorvane.html does not exist.");
    desktop.SetWallpaper("/p/Sorvane.html");
    try {
        desktop.ApplyChanges(7);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("does not exist"), std::string::npos) << e.what();
    }
}

TEST_F(LinuxDesktop, AStoreThatCannotBeWrittenFailsBeforeTheHostIsTold) {
    FakeHost host(folder);
    // The store's file is a folder: nothing can be written.
    auto broken = std::make_shared<SqliteRegistryBackend>((home / "config/broken.db").string());
    fs::create_directories(home / "config/broken.db");
    LinuxActiveDesktop d(broken, {folder, "", false});
    d.SetWallpaper("/p/Sorvane.html");
    EXPECT_THROW(d.ApplyChanges(7), Error);
    EXPECT_TRUE(host.Requests().empty());
}

TEST_F(LinuxDesktop, SaveOnlyAndRefreshOnly) {
    FakeHost host(folder);
    desktop.SetWallpaper("/p/a.html");
    desktop.ApplyChanges(LinuxActiveDesktop::ApplySave);
    EXPECT_EQ(ReadWallpaperSetting(store), "/p/a.html");
    EXPECT_TRUE(host.Requests().empty());
    // Refresh with nothing staged: the host, which keeps no settings, is
    // told the saved page.
    LinuxActiveDesktop(store, {folder, "", false}).ApplyChanges(LinuxActiveDesktop::ApplyRefresh);
    EXPECT_EQ(host.Requests(), std::vector<std::string>{"load /p/a.html"});
}

TEST_F(LinuxDesktop, TheDesktopWindowIsTheHostsWindow) {
    LinuxDesktopWindows windows(folder);
    EXPECT_EQ(windows.FindDesktopBrowserWindow(), 0u) << "no host";
    {
        FakeHost host(folder, "ok 18874375");
        EXPECT_EQ(windows.FindDesktopBrowserWindow(), 18874375u);
        EXPECT_EQ(host.Requests(), std::vector<std::string>{"window"});
    }
    {
        FakeHost host(folder, "ok 12abc");
        EXPECT_EQ(windows.FindDesktopBrowserWindow(), 0u);
    }
    {
        FakeHost host(folder, "error busy");
        EXPECT_EQ(windows.FindDesktopBrowserWindow(), 0u);
    }
}

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(LinuxDesktop, TheLoginEntryFollowsTheWallpaper) {
    const std::string page = (home / "Pictures/my \"show\" 100%.html").string();
    LinuxActiveDesktop d(store, {folder, "/opt/ds/desktop-sorvane-host", false});
    d.SetWallpaper(page);
    d.ApplyChanges(7);
    const std::string entry = Slurp(AutostartEntryPath());
    EXPECT_EQ(fs::path(AutostartEntryPath()).parent_path(),
              fs::path(std::getenv("XDG_CONFIG_HOME")) / "autostart");
    EXPECT_NE(entry.find("Exec=\"/opt/ds/desktop-sorvane-host\" login \"" +
                         (home / "Pictures/my \\\\\"show\\\\\" 100%%.html").string() + "\"\n"),
              std::string::npos)
        << entry;
    if (std::system("command -v desktop-file-validate >/dev/null") == 0) {
        EXPECT_EQ(std::system(("desktop-file-validate '" + AutostartEntryPath() + "'").c_str()), 0);
    }

    d.SetWallpaper("");
    d.ApplyChanges(7);
    EXPECT_FALSE(fs::exists(AutostartEntryPath()));
    EXPECT_NO_THROW(d.ApplyChanges(7)) << "no entry to remove is no failure";
}

TEST_F(LinuxDesktop, WithNoHostRunningAPageStartsOneWhereAllowed) {
    // A stand-in host program: records how it was started, then answers as
    // the real one does.
    const fs::path log = home / "started.txt";
    const fs::path program = home / "host.sh";
    const auto writeHost = [&](const std::string& tail) {
        WriteFile(program, "#!/bin/sh\necho \"$@\" >>'" + log.string() + "'\n" + tail);
        fs::permissions(program, fs::perms::owner_all);
    };
    writeHost("exit 0\n");
    LinuxActiveDesktop allowed(store, {folder, program.string(), true});
    allowed.SetWallpaper("/p/Sorvane.html");
    allowed.ApplyChanges(7);
    EXPECT_EQ(Slurp(log), "load /p/Sorvane.html\n");

    // The empty desktop, or a run that may start no host, starts nothing.
    allowed.SetWallpaper("");
    allowed.ApplyChanges(7);
    LinuxActiveDesktop headless(store, {folder, program.string(), false});
    headless.SetWallpaper("/p/Sorvane.html");
    headless.ApplyChanges(7);
    EXPECT_EQ(Slurp(log), "load /p/Sorvane.html\n");

    // A host that can't show the desktop fails the call with its own words,
    // and neither the setting nor the login entry claims the page nothing
    // shows: both name what they named before.
    writeHost("echo 'desktop-sorvane-host: no background layer here' >&2\nexit 1\n");
    for (const std::string before : {"/p/Sorvane.html", ""}) {
        headless.SetWallpaper(before);
        headless.ApplyChanges(7);
        allowed.SetWallpaper("/p/other.html");
        try {
            allowed.ApplyChanges(7);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(),
                         "The desktop slide show could not be started. no background layer here");
        }
        EXPECT_EQ(ReadWallpaperSetting(store), before);
        EXPECT_EQ(fs::exists(AutostartEntryPath()), !before.empty());
        if (!before.empty()) {
            EXPECT_NE(Slurp(AutostartEntryPath()).find(before), std::string::npos);
        }
    }
    // No host program at all (not installed): the same.
    LinuxActiveDesktop uninstalled(store, {folder, "", true});
    uninstalled.SetWallpaper("/p/other.html");
    EXPECT_THROW(uninstalled.ApplyChanges(7), Error);
    EXPECT_EQ(ReadWallpaperSetting(store), "");
    EXPECT_FALSE(fs::exists(AutostartEntryPath()));
}

TEST_F(LinuxDesktop, ThePlatformFactoryWiresTheDesktop) {
    Platform p = MakeLinuxPlatform({Rect{0, 0, 800, 600}, false});
    ASSERT_TRUE(p.desktopWindows);
    ASSERT_TRUE(p.newActiveDesktop);
    FakeHost host(folder, "ok 7");
    EXPECT_EQ(p.desktopWindows->FindDesktopBrowserWindow(), 7u);
    auto d = p.newActiveDesktop();
    d->SetWallpaper("/p/Sorvane.html");
    d->ApplyChanges(7);
    EXPECT_EQ(ReadWallpaperSetting(p.registry), "/p/Sorvane.html");
}

}  // namespace
}  // namespace sorvane::test
