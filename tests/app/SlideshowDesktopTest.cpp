// The desktop that plays the system's own slide show (Windows 8 and later),
// driven through the window's handlers with a double of the system's object.
#include <gtest/gtest.h>

#include <filesystem>

#include "FormTest.h"
#include "app/DesktopWallpaper.h"
#include "app/SlideshowDesktop.h"
#include "common/FormAccess.h"
#include "imaging/Preparation.h"
#include "platform/Error.h"
#include "registry/cRegistry.h"
#include "settings/SettingsKey.h"

namespace fs = std::filesystem;

namespace sorvane::test {
namespace {

// The desktop as the system keeps it: a slide show replaces the one picture,
// and a picture ends the slide show.
struct SlideshowState {
    std::string wallpaper = "C:/Users/ann/Pictures/bliss.jpg";
    int position = DesktopSlideshow::Fill;
    uint32_t color = 0x00112233;
    std::vector<std::string> items;
    unsigned intervalMs = 0;
    bool shuffle = true;
    bool playing = false;
    std::vector<std::string> changes;
    bool refuse = false;
};

struct SlideshowDouble : DesktopSlideshow {
    std::shared_ptr<SlideshowState> s;
    explicit SlideshowDouble(std::shared_ptr<SlideshowState> state) : s(std::move(state)) {}
    void Change(const std::string& what) {
        if (s->refuse) throw Error("The desktop refused " + what + ": Access is denied.");
        s->changes.push_back(what);
    }
    std::string Wallpaper() override { return s->playing ? "" : s->wallpaper; }
    void SetWallpaper(const std::string& picture) override {
        Change("wallpaper");
        s->wallpaper = picture;
        s->playing = false;
    }
    int GetPosition() override { return s->position; }
    void SetPosition(int position) override {
        Change("position");
        s->position = position;
    }
    uint32_t BackgroundColor() override { return s->color; }
    void SetBackgroundColor(uint32_t color) override {
        Change("color");
        s->color = color;
    }
    void SetSlideshow(const std::vector<std::string>& items) override {
        Change("slideshow");
        s->items = items;
        s->playing = true;
    }
    std::vector<std::string> Slideshow() override { return s->items; }
    void SetSlideshowOptions(bool shuffle, unsigned intervalMs) override {
        Change("options");
        s->shuffle = shuffle;
        s->intervalMs = intervalMs;
    }
    bool SlideshowPlaying() override { return s->playing; }
};

class SlideshowDesktopTest : public FormTest {
  protected:
    std::shared_ptr<SlideshowState> desktop = std::make_shared<SlideshowState>();

    SlideshowDesktopTest() {
        MakeFolders();
        CopyTemplate();
    }

    std::unique_ptr<MainForm> StartOnSlideshow() {
        Platform p = fakes.Make();
        p.registry = store;
        UseDesktopSlideshow(
            p, [state = desktop] { return std::make_unique<SlideshowDouble>(state); },
            fakes.desktopWindows);
        auto form = std::make_unique<MainForm>(std::move(p), dialogs);
        form->Form_Load();
        return form;
    }

    // A sample picture stored and listed, as adding leaves it.
    void AddSample(MainForm& form, const std::string& name) {
        const std::string stored = form.State().Window.PictureStore + name;
        fs::copy_file(SourceDir() / "resources/samples" / name, stored);
        test::Setup(form).Settings.Pictures.push_back({name, TransitionNone, false});
        auto& largest = test::Setup(form).Window.LargestSize;
        largest = LargestWith(largest, stored);
        form.MarkChanged();
    }

    std::string Copy(const std::string& name) const {
        return fakes.folders->pictures + "/Sorvane/" + name;
    }
    std::string Page() const { return fakes.folders->pictures + "/Sorvane.html"; }

    RegistryValue Kept(const char* name) {
        cRegistry reg(store);
        reg.SetClassKey(HKeyCurrentUser);
        reg.SetSectionKey(SettingsRegistryKey);
        reg.SetValueKey(name);
        return reg.Value();
    }
};

TEST_F(SlideshowDesktopTest, SetWallpaperPlaysThePagesCopiesAndApplyKeepsThemPlaying) {
    fakes.desktopWindows->window = 0x10010;
    auto form = StartOnSlideshow();
    AddSample(*form, "sea.jpg");
    AddSample(*form, "dusk.jpg");
    form->UserEditedDuration("9");
    form->UserPickedColour(0x00336699);
    form->cmdApply_Click();
    form->cmdSetWallpaper_Click();

    EXPECT_EQ(desktop->items, (std::vector<std::string>{Copy("sea.jpg"), Copy("dusk.jpg")}));
    EXPECT_TRUE(desktop->playing);
    EXPECT_EQ(desktop->intervalMs, 9000u);
    EXPECT_FALSE(desktop->shuffle);
    EXPECT_EQ(desktop->position, DesktopSlideshow::Fit);
    EXPECT_EQ(desktop->color, 0x00336699u);  // the page's colour, in the system's order
    // What the desktop was before the first page is kept, to be given back.
    EXPECT_EQ(Kept("OldPaper").ToText(), "C:/Users/ann/Pictures/bliss.jpg");
    EXPECT_EQ(Kept("OldPosition"), RegistryValue(int32_t{DesktopSlideshow::Fill}));
    EXPECT_EQ(Kept("OldBackground"), RegistryValue(int32_t{0x00112233}));
    ASSERT_FALSE(dialogs.Log.empty());
    EXPECT_EQ(
        dialogs.Log.back().rfind("message: Desktop Slide Show: Windows shows your pictures", 0), 0u)
        << dialogs.Log.back();

    // The next start finds the page on the desktop; its Apply takes the
    // slide show off while the copies are rewritten, and puts it back.
    form.reset();
    auto again = StartOnSlideshow();
    EXPECT_FALSE(again->State().Controls.SetWallpaperEnabled);
    desktop->changes.clear();
    again->UserEditedDuration("4");
    again->cmdApply_Click();
    EXPECT_EQ(desktop->changes,
              (std::vector<std::string>{"wallpaper", "options", "position", "color", "slideshow"}));
    EXPECT_EQ(desktop->intervalMs, 4000u);
    EXPECT_EQ(Kept("OldPosition"), RegistryValue(int32_t{DesktopSlideshow::Fill}));
}

TEST_F(SlideshowDesktopTest, StopGivesBackTheEarlierDesktopOnce) {
    fakes.desktopWindows->window = 1;
    auto form = StartOnSlideshow();
    AddSample(*form, "sea.jpg");
    form->cmdApply_Click();
    form->cmdSetWallpaper_Click();
    ASSERT_TRUE(desktop->playing);

    EXPECT_EQ(StopDesktopShow(form->Services(), Page()), "");
    EXPECT_FALSE(desktop->playing);
    EXPECT_EQ(desktop->wallpaper, "C:/Users/ann/Pictures/bliss.jpg");
    EXPECT_EQ(desktop->position, DesktopSlideshow::Fill);
    EXPECT_EQ(desktop->color, 0x00112233u);

    // Nothing of ours on the desktop: nothing is changed.
    desktop->changes.clear();
    EXPECT_EQ(StopDesktopShow(form->Services(), Page()), "The desktop slide show is not running.");
    EXPECT_TRUE(desktop->changes.empty());
}

TEST_F(SlideshowDesktopTest, TheUsersOwnSlideShowIsKeptAsItsFolder) {
    const fs::path own = home / "Holidays";
    fs::create_directories(own);
    desktop->items = {(own / "a.jpg").string(), (own / "b.jpg").string()};
    desktop->playing = true;
    fakes.desktopWindows->window = 1;
    auto form = StartOnSlideshow();
    EXPECT_TRUE(form->State().Controls.SetWallpaperEnabled);
    AddSample(*form, "sea.jpg");
    form->cmdApply_Click();
    form->cmdSetWallpaper_Click();
    EXPECT_EQ(Kept("OldPaper").ToText(), own.string());

    StopDesktopShow(form->Services(), Page());
    EXPECT_EQ(desktop->items, std::vector<std::string>{own.string()});
    EXPECT_TRUE(desktop->playing);
}

TEST_F(SlideshowDesktopTest, APageWithoutPicturesOrARefusalEndsTheCommand) {
    fakes.desktopWindows->window = 1;
    auto form = StartOnSlideshow();
    // No page written yet: the desktop is left as it is.
    EXPECT_THROW(form->cmdSetWallpaper_Click(), Error);
    EXPECT_TRUE(desktop->changes.empty());
    EXPECT_FALSE(Kept("OldPosition").IsNumber());

    AddSample(*form, "sea.jpg");
    form->cmdApply_Click();
    desktop->refuse = true;
    EXPECT_THROW(form->cmdSetWallpaper_Click(), Error);
    EXPECT_FALSE(desktop->playing);
}

}  // namespace
}  // namespace sorvane::test
