#include <gtest/gtest.h>

#include "app/MainForm.h"
#include "app/ScriptedDialogs.h"
#include "common/FormAccess.h"
#include "common/TestPlatform.h"
#include "platform/BrowserVersion.h"
#include "platform/DesktopRegistryNames.h"
#include "platform/Error.h"
#include "platform/linux/LinuxPlatform.h"
#include "registry/SqliteRegistryBackend.h"
#include "registry/cRegistry.h"
#include "settings/SettingsKey.h"

namespace sorvane::test {
namespace {

const std::string NotEnabled =
    "message: Active Desktop Not Enabled: You will need to enable Active Desktop before you can "
    "view this page as your wallpaper.";

class DesktopForm : public ::testing::Test {
  protected:
    TempHome home;
    TestPlatform fakes{home};
    ScriptedDialogs dialogs;
    std::shared_ptr<RegistryBackend> store = OpenDefaultRegistryStore();
    std::unique_ptr<MainForm> form;

    void SetUp() override { form = NewForm(fakes.Make()); }
    std::unique_ptr<MainForm> NewForm(Platform p) {
        p.registry = store;
        auto f = std::make_unique<MainForm>(std::move(p), dialogs);
        test::Setup(*f).Window.PageFolder = fakes.folders->pictures;
        return f;
    }
    std::string PagePath() const { return form->State().Window.PagePath(); }

    cRegistry Value(const char* section, const char* name) {
        cRegistry reg(store);
        reg.SetClassKey(HKeyCurrentUser);
        reg.SetSectionKey(section);
        reg.SetValueKey(name);
        reg.SetValueType(RegSz);
        return reg;
    }
    std::string OldPaper() { return Value(SettingsRegistryKey, "OldPaper").Value().ToText(); }
    std::vector<std::string> Installed() const {
        return {"SetWallpaper " + PagePath() + '\0', "ApplyChanges 7"};
    }
};

TEST_F(DesktopForm, TheDesktopIsOnWhileItsBrowserWindowIsFound) {
    test::Setup(*form).Window.DesktopBrowserWindow = 99;
    EXPECT_FALSE(form->IsActiveDesktopOn());
    EXPECT_EQ(form->State().Window.DesktopBrowserWindow, 0u);

    fakes.desktopWindows->window = 0x1C00007;
    EXPECT_TRUE(form->IsActiveDesktopOn());
    EXPECT_EQ(form->State().Window.DesktopBrowserWindow, 0x1C00007u);
    // A handle with the top bit set is a window all the same.
    fakes.desktopWindows->window = 0x80000010;
    EXPECT_TRUE(form->IsActiveDesktopOn());
}

TEST_F(DesktopForm, SetWallpaperKeepsTheFirstOldWallpaperAndInstallsThePage) {
    fakes.desktopWindows->window = 5;
    fakes.desktop->wallpaper = "/home/ann/beach.jpg";
    form->cmdSetWallpaper_Click();
    EXPECT_TRUE(dialogs.Log.empty()) << dialogs.Log.front();
    EXPECT_EQ(OldPaper(), "/home/ann/beach.jpg");
    std::vector<std::string> expected{"GetWallpaper"};
    for (const auto& c : Installed()) expected.push_back(c);
    EXPECT_EQ(fakes.desktop->calls, expected);
    EXPECT_EQ(fakes.desktop->wallpaper, PagePath() + '\0');

    // Again: the wallpaper now is the page, but the old one stays remembered.
    form->cmdSetWallpaper_Click();
    EXPECT_EQ(OldPaper(), "/home/ann/beach.jpg");
    EXPECT_EQ(fakes.desktop->calls.size(), 6u);
    EXPECT_TRUE(form->State().Controls.SetWallpaperEnabled) << "Set Wallpaper changes no button";

    // A desktop that shows less than the page says so once the page is in.
    fakes.desktop->note = "Xfce shows your pictures in turn, without transitions.";
    form->cmdSetWallpaper_Click();
    EXPECT_EQ(dialogs.Log,
              std::vector<std::string>{"message: Desktop Slide Show: " + fakes.desktop->note});
    EXPECT_EQ(fakes.desktop->calls.back(), "ApplyChanges 7");
}

TEST_F(DesktopForm, WithTheDesktopOffTheUserIsToldAndThePageInstalledAnyway) {
    form->cmdSetWallpaper_Click();
    EXPECT_EQ(dialogs.Log, std::vector<std::string>{NotEnabled});
    EXPECT_EQ(fakes.desktop->calls.back(), "ApplyChanges 7");
    EXPECT_EQ(fakes.desktop->wallpaper, PagePath() + '\0');
}

TEST_F(DesktopForm, OnLinuxTheDesktopIsWordedAsItReallyIs) {
    Platform p = fakes.Make();
    p.wording = LinuxWording();
    form = NewForm(std::move(p));
    form->cmdSetWallpaper_Click();
    ASSERT_EQ(dialogs.Log.size(), 1u);
    EXPECT_EQ(dialogs.Log[0],
              "message: Desktop Slide Show Not Running: The desktop slide show is not running. "
              "Click 'OK' to start it with this page as your wallpaper.");
    EXPECT_EQ(fakes.desktop->wallpaper, PagePath() + '\0') << "installed, which starts it";
    for (const std::string& text : {LinuxWording().DisabledText, LinuxWording().Requirements})
        for (const char* windowsOnly : {"Active Desktop", "Internet Explorer", "DirectX", "'Web'"})
            EXPECT_EQ(text.find(windowsOnly), std::string::npos) << text;
}

TEST_F(DesktopForm, AFailingDesktopObjectEndsTheCommandWithItsError) {
    fakes.desktopWindows->window = 5;
    fakes.desktop->fail = true;
    EXPECT_THROW(form->cmdSetWallpaper_Click(), Error);
    EXPECT_EQ(OldPaper(), "") << "nothing remembered from a wallpaper that was never read";

    // No desktop object on this system at all.
    Platform p = fakes.Make();
    p.newActiveDesktop = nullptr;
    auto bare = NewForm(std::move(p));
    EXPECT_THROW(bare->cmdSetWallpaper_Click(), Error);
}

TEST_F(DesktopForm, AnUnwritableOldPaperInstallsNothing) {
    fakes.desktopWindows->window = 5;
    fakes.desktop->wallpaper = "/old.jpg";
    std::filesystem::create_directories(home / "config/not-a-db");
    Platform p = fakes.Make();
    auto broken = std::make_unique<MainForm>(
        [&] {
            p.registry =
                std::make_shared<SqliteRegistryBackend>((home / "config/not-a-db").string());
            return std::move(p);
        }(),
        dialogs);
    EXPECT_THROW(broken->cmdSetWallpaper_Click(), Error);
    EXPECT_EQ(fakes.desktop->calls, std::vector<std::string>{"GetWallpaper"});
}

TEST_F(DesktopForm, StartUpFactsTheInstalledPageExactly) {
    Value(DesktopGeneralKey, WallpaperValueName).SetValue(PagePath());
    form->LoadDesktopFacts();
    EXPECT_FALSE(form->State().Controls.SetWallpaperEnabled);

    // Other letter case is another page.
    std::string upper = PagePath();
    upper.replace(upper.size() - 12, 12, "SORVANE.HTML");
    Value(DesktopGeneralKey, WallpaperValueName).SetValue(upper);
    auto second = NewForm(fakes.Make());
    second->LoadDesktopFacts();
    EXPECT_TRUE(second->State().Controls.SetWallpaperEnabled);
}

TEST_F(DesktopForm, StartUpFactsTheBrowserFromThePlatform) {
    fakes.shell->browserFolder = "/usr/lib/firefox";
    fakes.shell->transitions = true;
    form->LoadDesktopFacts();
    EXPECT_EQ(form->State().Window.BrowserFolder, "/usr/lib/firefox");
    EXPECT_TRUE(form->State().Window.TransitionsAvailable);
    EXPECT_TRUE(form->State().Controls.SetWallpaperEnabled) << "no wallpaper setting at all";

    fakes.shell->browserFolder = "";
    fakes.shell->transitions = false;
    auto second = NewForm(fakes.Make());
    second->LoadDesktopFacts();
    EXPECT_EQ(second->State().Window.BrowserFolder, "");
    EXPECT_FALSE(second->State().Window.TransitionsAvailable);
}

TEST(BrowserVersion, TheLeadingNumberDecides) {
    EXPECT_DOUBLE_EQ(LeadingVersionNumber("5.50.4134.0600"), 5.5);
    EXPECT_DOUBLE_EQ(LeadingVersionNumber("6.0.2800.1106"), 6.0);
    EXPECT_DOUBLE_EQ(LeadingVersionNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(LeadingVersionNumber("11"), 11.0);
    EXPECT_DOUBLE_EQ(LeadingVersionNumber("7.x"), 7.0);
    EXPECT_DOUBLE_EQ(LeadingVersionNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(LeadingVersionNumber("beta"), 0.0);
    EXPECT_TRUE(BrowserVersionHasTransitions("5.50.4134.0600"));
    EXPECT_TRUE(BrowserVersionHasTransitions("6.0.2800.1106"));
    EXPECT_TRUE(BrowserVersionHasTransitions("10.0"));
    EXPECT_FALSE(BrowserVersionHasTransitions("5.00.2920.0000"));
    EXPECT_FALSE(BrowserVersionHasTransitions("5.49"));
    EXPECT_FALSE(BrowserVersionHasTransitions(""));
}

}  // namespace
}  // namespace sorvane::test
