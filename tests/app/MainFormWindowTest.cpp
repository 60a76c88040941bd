// The main window's start-up, closing, options, About links and the build,
// driven through MainForm with the platform faked at its seams.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <filesystem>

#include "FormTest.h"
#include "app/AboutPage.h"
#include "common/FormAccess.h"
#include "imaging/Preparation.h"

namespace fs = std::filesystem;

namespace sorvane::test {
namespace {

constexpr char PromptText[] =
    "You need to enable 'Active Desktop' under the 'Web' tab of your Display Settings.\r\n\r\n"
    "Click 'OK' to do this now.";

class Window : public FormTest {
  protected:
    Window() {
        MakeFolders();
        CopyTemplate();
    }

    std::string PagePath() const { return fakes.folders->pictures + "/Sorvane.html"; }

    // A stored, measured picture and its list entry, as adding would leave them;
    // `edit` marks it as the user's edit.
    void AddStoredPicture(MainForm& form, const std::string& name, int w, int h, bool edit = true) {
        const std::string path = form.State().Window.PictureStore + name;
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        ASSERT_TRUE(image.save(QString::fromStdString(path)));
        test::Setup(form).Settings.Pictures.push_back({name, TransitionNone, false});
        auto& largest = test::Setup(form).Window.LargestSize;
        largest = LargestWith(largest, path);
        if (edit) form.MarkChanged();
    }

    bool Logged(const std::string& line) const {
        return std::find(dialogs.Log.begin(), dialogs.Log.end(), line) != dialogs.Log.end();
    }
    int Errors() const {
        return static_cast<int>(
            std::count_if(dialogs.Log.begin(), dialogs.Log.end(),
                          [](const auto& l) { return l.rfind("error:", 0) == 0; }));
    }
};

TEST_F(Window, FirstStartShowsTheDefaultsAndMakesItsFolders) {
    auto form = Start();
    const FormState& st = form->State();
    EXPECT_TRUE(st.Settings.Pictures.empty());
    EXPECT_EQ(st.Settings.DurationText, "6");
    EXPECT_EQ(AlignIndexOf(st.Settings.Alignment), 1);
    EXPECT_EQ(st.Settings.Alignment, "");
    EXPECT_EQ(st.Settings.BackgroundColor, 0x80000001u);
    EXPECT_FALSE(st.Controls.ApplyEnabled);
    EXPECT_FALSE(st.Settings.Changed);
    EXPECT_FALSE(st.Controls.TransEnabled);
    EXPECT_EQ(st.Controls.TransIndex, TransitionNone);
    EXPECT_FALSE(st.Controls.RemoveEnabled);
    EXPECT_TRUE(st.Controls.SetWallpaperEnabled);
    EXPECT_EQ(st.Controls.TabIndex, 1);
    EXPECT_TRUE(fs::is_directory(fakes.folders->pictures + "/Sorvane"));
    EXPECT_TRUE(fs::is_directory(fakes.folders->program + "/images"));
    EXPECT_EQ(st.Window.PictureStore, fakes.folders->program + "/images/");
    EXPECT_EQ(st.Window.PreviewPagePath, fakes.folders->pictures + "/WP1.TMP.html");
    // The pointer was the hourglass during start-up and is back afterwards.
    EXPECT_FALSE(st.Controls.Busy);
    EXPECT_FALSE(dialogs.Busy);
    EXPECT_TRUE(dialogs.Log.empty()) << dialogs.Log.front();

    form->cmdCancel_Click();
    auto again = Start();
    EXPECT_EQ(again->State().Window.PreviewPagePath, form->State().Window.PreviewPagePath);
}

TEST_F(Window, AFileNamedSorvaneIsLeftAlone) {
    WriteFile(fakes.folders->pictures + "/Sorvane", "not a folder");
    auto form = Start();
    EXPECT_TRUE(fs::is_regular_file(fakes.folders->pictures + "/Sorvane"));
}

TEST_F(Window, LeftAlignmentLoadedLeavesApplyOffButOkBuilds) {
    WriteFile(ConfigPath(), "255\r\n6\r\nleft\r\n");
    fakes.desktopWindows->window = 1;
    auto form = Start();
    EXPECT_FALSE(form->State().Controls.ApplyEnabled);
    EXPECT_TRUE(form->State().Settings.Changed);
    EXPECT_EQ(AlignIndexOf(form->State().Settings.Alignment), 0);
    EXPECT_EQ(form->State().Settings.Alignment, "left");

    AddStoredPicture(*form, "a.jpg", 40, 30, false);
    form->cmdOk_Click();
    EXPECT_TRUE(form->Closed());
    EXPECT_TRUE(fs::exists(PagePath()));
    EXPECT_NE(ReadFile(PagePath()).find("left"), std::string::npos);
    EXPECT_NE(ReadFile(ConfigPath()).find("\r\nleft\r\n"), std::string::npos);
    EXPECT_FALSE(form->State().Settings.Changed);
}

TEST_F(Window, OkWithoutEditsClosesWithoutBuilding) {
    auto form = Start();
    form->cmdOk_Click();
    EXPECT_TRUE(form->Closed());
    EXPECT_FALSE(fs::exists(PagePath()));
    EXPECT_FALSE(fs::exists(ConfigPath()));
    EXPECT_FALSE(Logged("progress: show"));
}

TEST_F(Window, CancelNeverBuildsAndTheNextStartHasTheLastBuild) {
    fakes.desktopWindows->window = 1;
    auto form = Start();
    AddStoredPicture(*form, "a.jpg", 40, 30);
    form->UserEditedDuration("9");
    form->cmdApply_Click();
    ASSERT_TRUE(fs::exists(ConfigPath()));
    const std::string page = ReadFile(PagePath());

    form->UserEditedDuration("12");
    form->UserClickedAlign(2);
    form->cmdCancel_Click();
    EXPECT_TRUE(form->Closed());
    EXPECT_EQ(ReadFile(PagePath()), page);
    EXPECT_TRUE(dialogs.MessageAnswers.empty());

    auto next = Start();
    EXPECT_EQ(next->State().Settings.DurationText, "9");
    EXPECT_EQ(AlignIndexOf(next->State().Settings.Alignment), 1);
}

// File names are bytes: a Latin-1 name (not UTF-8) is added, previewed,
// prepared and named on the page like any other.
TEST_F(Window, ANameThatIsNotUtf8GoesAllTheWay) {
    auto form = Start();
    const std::string name =
        "s\xE9"
        "a.jpg";
    const fs::path source = home / "in" / name;
    fs::create_directories(source.parent_path());
    QImage image(80, 60, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(image.save(QString::fromStdString((home / "in/plain.jpg").string()), "JPEG"));
    fs::rename(home / "in/plain.jpg", source);

    dialogs.OpenFileAnswers.push_back(ChosenFiles{(home / "in").string(), {name}});
    form->cmdAdd_Click();
    ASSERT_EQ(form->State().Settings.Pictures.size(), 1u);
    EXPECT_EQ(form->State().Window.LargestSize, (PixelSize{80, 60})) << "measured";

    form->UserSelectedEntries({0}, 0);
    const auto& controls = form->State().Controls;
    EXPECT_EQ(controls.PreviewPicturePath, form->State().Window.PictureStore + name);
    EXPECT_EQ(controls.PreviewWidth, 200);

    form->cmdApply_Click();
    EXPECT_EQ(Errors(), 0);
    EXPECT_EQ(ReadFile(fakes.folders->pictures + "/Sorvane/" + name).substr(0, 2), "\xFF\xD8");
    EXPECT_NE(ReadFile(PagePath()).find("\"s%E9a.jpg\""), std::string::npos);
    EXPECT_NE(ReadFile(ConfigPath()).find(name + "|"), std::string::npos);
}

TEST_F(Window, ClosingUnloadsTheOtherWindowsAndDeletesThePreviewPage) {
    auto form = Start();
    WriteFile(form->State().Window.PreviewPagePath, "<html></html>");
    dialogs.ShowProgress();  // loaded, as during a build
    test::Setup(*form).Window.LastBrowseDir = "/somewhere/else";
    form->CloseBox();
    EXPECT_TRUE(form->Closed());
    EXPECT_TRUE(Logged("unload: progress"));
    EXPECT_FALSE(dialogs.ProgressLoaded);
    EXPECT_FALSE(fs::exists(form->State().Window.PreviewPagePath));
    // The registry values were saved on the way out.
    EXPECT_EQ(Start()->State().Window.LastBrowseDir, "/somewhere/else");
}

TEST_F(Window, OptionEditsMarkChanged) {
    auto form = Start();
    auto& st = test::Setup(*form);
    for (int i = 0; i < 5; ++i) st.Settings.Pictures.push_back({"p" + std::to_string(i), 7, false});
    for (int i : {0, 2, 4}) st.Settings.Pictures[i].Selected = true;
    st.Controls.TransEnabled = true;
    form->UserChoseTransition(18);  // "Fade"
    EXPECT_EQ(st.Settings.Pictures[0].TransitionIndex, 18);
    EXPECT_EQ(st.Settings.Pictures[2].TransitionIndex, 18);
    EXPECT_EQ(st.Settings.Pictures[4].TransitionIndex, 18);
    EXPECT_EQ(st.Settings.Pictures[1].TransitionIndex, 7);
    EXPECT_TRUE(st.Settings.Changed);
    EXPECT_TRUE(st.Controls.ApplyEnabled);

    // The preview moving the box hands its transition on without marking anything.
    st.Settings.Changed = false;
    st.Controls.ApplyEnabled = false;
    st.Window.SyncingTransition = true;
    form->UserChoseTransition(3);
    st.Window.SyncingTransition = false;
    EXPECT_EQ(st.Settings.Pictures[2].TransitionIndex, 3);
    EXPECT_FALSE(st.Settings.Changed);
    EXPECT_FALSE(st.Controls.ApplyEnabled);

    form->UserEditedDuration("abc");
    EXPECT_TRUE(st.Controls.ApplyEnabled);
    st.Controls.ApplyEnabled = false;
    form->UserEditedDuration("ab");
    form->UserEditedDuration("abc");  // a keystroke that restores the text still counts
    EXPECT_TRUE(st.Controls.ApplyEnabled);

    const char* words[] = {"left", "center", "right"};
    for (int i : {2, 0, 1}) {
        form->UserClickedAlign(i);
        EXPECT_EQ(st.Settings.Alignment, words[i]);
        EXPECT_EQ(AlignIndexOf(st.Settings.Alignment), i);
    }
}

TEST_F(Window, APickOfTheShownColourIsNoEdit) {
    auto form = Start();
    form->UserPickedColour(OleDesktopColor);
    EXPECT_FALSE(form->State().Settings.Changed);
    form->UserPickedColour(0x00FF8800);
    EXPECT_EQ(form->State().Settings.BackgroundColor, 0x00FF8800u);
    EXPECT_TRUE(form->State().Settings.Changed);
    EXPECT_TRUE(form->State().Controls.ApplyEnabled);
}

TEST_F(Window, LinksLightUpUntilThePointerCrossesThePage) {
    auto form = Start();
    const auto& c = form->State().Controls;
    EXPECT_EQ(c.EmailLinkColor, DefaultLabelColor);
    form->lblEmail_MouseMove();
    form->lblOrl_MouseMove();  // straight from one link to the other
    EXPECT_EQ(c.EmailLinkColor, 0xFF0000u);
    EXPECT_EQ(c.SiteLinkColor, 0xFF0000u);
    form->Frame_MouseMove(0);  // the Settings page changes nothing
    EXPECT_EQ(c.SiteLinkColor, 0xFF0000u);
    form->Label8_MouseMove();
    EXPECT_EQ(c.EmailLinkColor, 0u);
    EXPECT_EQ(c.SiteLinkColor, 0xFF0000u);
    form->Frame_MouseMove(1);
    EXPECT_EQ(c.SiteLinkColor, 0u);

    form->lblEmail_Click();
    form->lblOrl_Click();
    ASSERT_EQ(fakes.shell->opened.size(), 2u);
    EXPECT_EQ(fakes.shell->opened[0], "mailto:" + std::string(about::Email));
    EXPECT_EQ(fakes.shell->opened[1], std::string(about::Site));
}

TEST_F(Window, ApplyWithThePageInstalledTakesItOffAndPutsItBack) {
    fakes.desktopWindows->window = 1;
    auto form = Start();
    test::Setup(*form).Controls.SetWallpaperEnabled = false;
    AddStoredPicture(*form, "beach.jpg", 64, 48);
    form->cmdApply_Click();

    const std::string page = form->State().Window.PagePath() + '\0';
    const std::vector<std::string> calls = {"SetWallpaper ", "ApplyChanges 7",
                                            "SetWallpaper " + page, "ApplyChanges 7"};
    EXPECT_EQ(fakes.desktop->calls, calls);
    EXPECT_TRUE(fs::exists(PagePath()));
    EXPECT_TRUE(fs::exists(fakes.folders->pictures + "/Sorvane/beach.jpg"));
    EXPECT_TRUE(fs::exists(ConfigPath()));
    EXPECT_FALSE(form->State().Settings.Changed);
    EXPECT_FALSE(form->State().Controls.ApplyEnabled);
    EXPECT_FALSE(form->State().Controls.SetWallpaperEnabled);  // the build leaves it alone
    EXPECT_FALSE(dialogs.ProgressLoaded);
    EXPECT_FALSE(dialogs.Busy);
    EXPECT_TRUE(Logged("progress label: Getting information..."));
    EXPECT_EQ(Errors(), 0);
}

TEST_F(Window, ApplyWithThePageNotInstalledLeavesTheWallpaper) {
    fakes.desktopWindows->window = 1;
    auto form = Start();
    AddStoredPicture(*form, "a.jpg", 40, 30);
    form->cmdApply_Click();
    EXPECT_TRUE(fakes.desktop->calls.empty());
    EXPECT_TRUE(fs::exists(PagePath()));
    EXPECT_EQ(std::count_if(dialogs.Log.begin(), dialogs.Log.end(),
                            [](const auto& l) { return l.rfind("message:", 0) == 0; }),
              0);
}

TEST_F(Window, ApplyWithTheWebDesktopOffOffersTheDisplaySettings) {
    auto form = Start();
    AddStoredPicture(*form, "a.jpg", 40, 30);
    dialogs.MessageAnswers = {MsgResult::Cancel};
    form->cmdApply_Click();
    EXPECT_TRUE(fs::exists(PagePath()));
    EXPECT_TRUE(Logged(std::string("message: Active Desktop Disabled: ") + PromptText));
    EXPECT_EQ(fakes.shell->displaySettingsOpened, 0);
    // The prompt comes after the progress window went.
    const auto hide = std::find(dialogs.Log.begin(), dialogs.Log.end(), "progress: hide");
    const auto prompt = std::find_if(dialogs.Log.begin(), dialogs.Log.end(), [](const auto& l) {
        return l.rfind("message: Active Desktop Disabled", 0) == 0;
    });
    EXPECT_LT(hide, prompt);

    form->UserEditedDuration("5");
    dialogs.MessageAnswers = {MsgResult::Ok};
    form->cmdApply_Click();
    EXPECT_EQ(fakes.shell->displaySettingsOpened, 1);
    EXPECT_EQ(
        std::count_if(dialogs.Log.begin(), dialogs.Log.end(),
                      [](const auto& l) { return l.starts_with("message: Desktop Sorvane:"); }),
        0)
        << "a desktop that started says nothing";

    // A desktop that can't be shown at all says why; the page stays built.
    fakes.shell->displaySettingsProblem = "No background layer in this session.";
    form->UserEditedDuration("6");
    dialogs.MessageAnswers = {MsgResult::Ok, MsgResult::Ok};
    form->cmdApply_Click();
    EXPECT_TRUE(Logged("message: Desktop Sorvane: No background layer in this session."));
    EXPECT_FALSE(form->State().Settings.Changed);
}

// What the build does not catch itself: the user hears what went wrong,
// nothing is half-written, Apply stays on, and OK keeps the window open.
TEST_F(Window, FailuresTheBuildMeetsAreToldAndLoseNothing) {
    fakes.desktopWindows->window = 1;
    auto form = Start();
    AddStoredPicture(*form, "a.jpg", 40, 30);
    form->cmdApply_Click();
    const std::string page = ReadFile(PagePath());
    const std::string config = ReadFile(ConfigPath());

    struct Case {
        const char* what;
        std::function<void()> arrange, undo;
    };
    const std::string templ = fakes.folders->templ;
    const Case cases[] = {
        {"template missing", [&] { fs::rename(templ, templ + ".away"); },
         [&] { fs::rename(templ + ".away", templ); }},
        {"duration not a number", [&] { form->UserEditedDuration("soon"); },
         [&] { form->UserEditedDuration("6"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.Log.clear();
        c.arrange();
        form->MarkChanged();
        form->cmdOk_Click();
        EXPECT_EQ(Errors(), 1);
        EXPECT_FALSE(form->Closed());
        EXPECT_TRUE(form->State().Controls.ApplyEnabled);
        EXPECT_TRUE(form->State().Settings.Changed);
        EXPECT_FALSE(dialogs.ProgressVisible);
        EXPECT_FALSE(dialogs.ProgressLoaded);
        EXPECT_FALSE(dialogs.Busy);
        EXPECT_FALSE(form->State().Controls.Busy);
        EXPECT_EQ(ReadFile(PagePath()), page);
        EXPECT_EQ(ReadFile(ConfigPath()), config);
        c.undo();
    }
    // The message says what was not done and why.
    form->UserEditedDuration("soon");
    dialogs.Log.clear();
    form->cmdApply_Click();
    ASSERT_EQ(Errors(), 1);
    EXPECT_NE(dialogs.Log.back().find("was not built"), std::string::npos) << dialogs.Log.back();
    EXPECT_NE(dialogs.Log.back().find("soon"), std::string::npos) << dialogs.Log.back();
}

TEST_F(Window, ADesktopThatCannotBeReachedStopsTheBuildWithAMessage) {
    auto form = Start();
    AddStoredPicture(*form, "a.jpg", 40, 30);
    Platform p = fakes.Make();
    p.registry = store;
    p.newActiveDesktop = nullptr;
    MainForm noDesktop(std::move(p), dialogs);
    noDesktop.Form_Load();
    test::Setup(noDesktop).Settings.Pictures = test::Setup(*form).Settings.Pictures;
    noDesktop.MarkChanged();
    noDesktop.cmdApply_Click();
    EXPECT_EQ(Errors(), 1);
    EXPECT_FALSE(fs::exists(PagePath()));
    EXPECT_TRUE(noDesktop.State().Controls.ApplyEnabled);
    EXPECT_FALSE(dialogs.Busy);
}

TEST_F(Window, AWallpaperCallThatFailsAfterClearingPutsThePageBack) {
    fakes.desktopWindows->window = 1;
    auto form = Start();
    test::Setup(*form).Controls.SetWallpaperEnabled = false;
    AddStoredPicture(*form, "a.jpg", 40, 30);
    fs::rename(fakes.folders->templ, fakes.folders->templ + ".away");
    form->cmdApply_Click();
    EXPECT_EQ(Errors(), 1);
    ASSERT_FALSE(fakes.desktop->calls.empty());
    EXPECT_EQ(fakes.desktop->calls.back(), "ApplyChanges 7");
    EXPECT_EQ(fakes.desktop->wallpaper, form->State().Window.PagePath() + '\0');

    // A desktop that refuses every call: nothing is built, and the user is told.
    fs::rename(fakes.folders->templ + ".away", fakes.folders->templ);
    fakes.desktop->fail = true;
    dialogs.Log.clear();
    form->cmdApply_Click();
    EXPECT_EQ(Errors(), 1);
    EXPECT_FALSE(fs::exists(PagePath()));
    EXPECT_TRUE(form->State().Controls.ApplyEnabled);
}

}  // namespace
}  // namespace sorvane::test
