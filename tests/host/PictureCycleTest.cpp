// The user's background kept and given back, and the pictures in turn, on a
// fake desktop setting (the seam where a real desktop's settings would be).
#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gio.h>
#include <gio/gsettingsbackend.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "common/Needs.h"
#include "common/TempHome.h"
#include "host/DesktopBackground.h"
#include "host/PictureCycleBackdrop.h"

namespace fs = std::filesystem;

namespace sorvane::test {
namespace {

// One background setting, as a desktop that shows what it is told keeps it.
struct FakeDesktop {
    BackgroundSettings settings;
    std::vector<std::string> pictures;  // every Set, in order
    std::string refuse;                 // why reads and writes fail, "" when they don't
};

class FakeBackground : public DesktopBackground {
  public:
    explicit FakeBackground(FakeDesktop& d) : d_(d) {}
    std::string Name() const override { return "fakedesk"; }
    std::optional<BackgroundSettings> Read(std::string& why) const override {
        why = d_.refuse;
        if (!why.empty()) return std::nullopt;
        return d_.settings;
    }
    std::string Set(const std::string& picture) override {
        if (!d_.refuse.empty()) return d_.refuse;
        d_.pictures.push_back(picture);
        d_.settings["image"] = "'" + picture + "'";
        return {};
    }
    std::string Write(const BackgroundSettings& s) override {
        if (d_.refuse.empty()) d_.settings = s;
        return d_.refuse;
    }
    std::vector<std::string> Shown() const override {
        const auto& v = d_.settings.at("image");
        return {v ? v->substr(1, v->size() - 2) : ""};
    }

  private:
    FakeDesktop& d_;
};

struct PictureCycleTest : ::testing::Test {
    TempHome home;
    FakeDesktop desk;
    BackgroundSettings user{
        {"image", "'/home/u/beach.jpg'"}, {"style", "5"}, {"tint", std::nullopt}};
    std::string kept;
    PictureCycleTest() {
        setenv("XDG_STATE_HOME", (home / "state").string().c_str(), 1);
        kept = (home / "state/desktop-sorvane/fakedesk-background.ini").string();
        desk.settings = user;
    }
    ~PictureCycleTest() override { unsetenv("XDG_STATE_HOME"); }
    std::string Ours(const std::string& name) {
        return (home / "Pictures/Sorvane" / name).string();
    }
    std::string WriteShow(const std::string& interval = "500") {
        WriteFile(home / "Pictures/Sorvane/a.png", "a");
        WriteFile(home / "Pictures/Sorvane/b.png", "b");
        const fs::path page = home / "Pictures/Sorvane.html";
        WriteFile(
            page,
            "Img[0] = new ImageData(\"a.png\", 1);\r\nImg[1] = new ImageData(\"b.png\", 2);\r\n"
            "var IntervalText = \"" +
                interval + "\";\r\n");
        return page.string();
    }
};

TEST_F(PictureCycleTest, KeptBeforeTheFirstChangeAndGivenBack) {
    {
        FakeBackground fake(desk);
        SavedBackground saved(fake);
        EXPECT_EQ(saved.KeepCurrent(), "");
        ASSERT_TRUE(fs::exists(kept));
        desk.settings["image"] = "'" + Ours("a.png") + "'";
        EXPECT_EQ(saved.KeepCurrent(), "");  // once a run: ours is not kept over it
    }
    // A later run after a crash: our picture still shows, the file holds the user's.
    FakeBackground fake(desk);
    SavedBackground later(fake);
    EXPECT_EQ(later.KeepCurrent(), "");
    EXPECT_EQ(later.GiveBack(), "");
    EXPECT_EQ(desk.settings, user);
    EXPECT_FALSE(fs::exists(kept));
    EXPECT_EQ(later.GiveBack(), "") << "nothing kept: nothing to do";
    EXPECT_EQ(desk.settings, user);
}

TEST_F(PictureCycleTest, OursIsNeverKeptAsTheUsers) {
    FakeBackground fake(desk);
    // Our picture shows with no file of the user's: the desktop's default is closer.
    desk.settings["image"] = "'file://" + Ours("a.png") + "'";
    SavedBackground saved(fake);
    EXPECT_EQ(saved.KeepCurrent(), "");
    EXPECT_EQ(saved.GiveBack(), "");
    EXPECT_EQ(desk.settings.at("image"), std::nullopt);
    EXPECT_EQ(desk.settings.at("style"), "5");
}

TEST_F(PictureCycleTest, FailuresChangeNothingAndKeepTheFile) {
    FakeBackground fake(desk);
    SavedBackground saved(fake);
    desk.refuse = "the desktop does not answer";
    EXPECT_EQ(saved.KeepCurrent(), desk.refuse);
    EXPECT_FALSE(fs::exists(kept));

    desk.refuse.clear();
    ASSERT_EQ(saved.KeepCurrent(), "");
    desk.refuse = "the desktop does not answer";
    EXPECT_EQ(saved.GiveBack(), desk.refuse);
    EXPECT_TRUE(fs::exists(kept)) << "kept for another try";

    WriteFile(kept, "[background]\nimage=garbage\n");
    desk.refuse.clear();
    EXPECT_EQ(saved.GiveBack(), "");
    EXPECT_FALSE(fs::exists(kept)) << "a damaged file can give nothing back";
}

TEST_F(PictureCycleTest, PicturesInTurnThenTheUsersBack) {
    const std::string page = WriteShow();
    {
        PictureCycleBackdrop backdrop(std::make_unique<FakeBackground>(desk), "Fakedesk");
        EXPECT_FALSE(backdrop.Show((home / "missing.html").string()).ok);
        EXPECT_TRUE(desk.pictures.empty()) << "a page it can't read changes nothing";

        ASSERT_TRUE(backdrop.Show(page).ok);
        EXPECT_EQ(desk.pictures, std::vector<std::string>{Ours("a.png")});
        EXPECT_EQ(backdrop.NotSeen(), "");
        EXPECT_NE(backdrop.ShownId(), 0u);
        ASSERT_FALSE(backdrop.Status().empty());
        EXPECT_NE(backdrop.Status()[0].find("fakedesk's own background, our pictures in turn every "
                                            "0.5 s, without transitions"),
                  std::string::npos)
            << backdrop.Status()[0];

        EXPECT_EQ(backdrop.Limits(), "Fakedesk shows your pictures in turn, without transitions.");

        // Round and round, a picture deleted meanwhile passed over.
        WriteFile(home / "Pictures/Sorvane/c.png", "c");
        std::string text = ReadFile(page);
        WriteFile(page, text + "Img[2] = new ImageData(\"c.png\", 3);\r\n");
        ASSERT_TRUE(backdrop.Show(page).ok);
        fs::remove(home / "Pictures/Sorvane/b.png");
        while (desk.pictures.size() < 4) g_main_context_iteration(nullptr, TRUE);
        EXPECT_EQ(desk.pictures, (std::vector<std::string>{Ours("a.png"), Ours("a.png"),
                                                           Ours("c.png"), Ours("a.png")}));

        desk.settings["image"] = "'/home/u/other.jpg'";
        EXPECT_NE(backdrop.NotSeen().find("fakedesk"), std::string::npos);
        EXPECT_EQ(backdrop.ShownId(), 0u);

        ASSERT_TRUE(backdrop.Show("").ok);
        EXPECT_EQ(desk.settings, user);
        ASSERT_TRUE(backdrop.Show(page).ok);
    }
    EXPECT_EQ(desk.settings, user) << "given back when it ends";
    EXPECT_FALSE(fs::exists(kept));

    // The user picks another background in the desktop's settings mid-show:
    // it stays, and is not undone when we end.
    {
        PictureCycleBackdrop backdrop(std::make_unique<FakeBackground>(desk), "Fakedesk");
        ASSERT_TRUE(backdrop.Show(page).ok);
        desk.settings["image"] = "'/home/u/new.jpg'";
        const size_t shown = desk.pictures.size();
        while (fs::exists(kept)) g_main_context_iteration(nullptr, TRUE);
        EXPECT_EQ(desk.pictures.size(), shown);
        EXPECT_NE(backdrop.NotSeen(), "");
    }
    EXPECT_EQ(desk.settings.at("image"), "'/home/u/new.jpg'");
}

// caja's and nemo's keys in their real schemas, where installed, on GSettings'
// memory backend (never the user's dconf).
TEST(GSettingsBackgrounds, SetShownAndGivenBack) {
    setenv("GSETTINGS_BACKEND", "memory", 1);
    if (!G_IS_OBJECT(g_settings_backend_get_default()) ||
        std::string(G_OBJECT_TYPE_NAME(g_settings_backend_get_default())) !=
            "GMemorySettingsBackend")
        SORVANE_NEEDS(false, "GSettings' memory backend");
    int tried = 0;
    for (auto make : {MakeCajaBackground, MakeNemoBackground}) {
        auto desktop = make();
        std::string why;
        const auto before = desktop->Read(why);
        if (!before) continue;  // its schema is not installed
        ++tried;
        for (const auto& [key, value] : *before) EXPECT_EQ(value, std::nullopt) << key;
        ASSERT_EQ(desktop->Set("/p/Sorvane/a b.png"), "");
        EXPECT_EQ(desktop->Shown(), std::vector<std::string>{"/p/Sorvane/a b.png"});
        EXPECT_EQ(desktop->Read(why)->at("picture-options"), "'centered'");
        ASSERT_EQ(desktop->Write(*before), "");
        EXPECT_EQ(desktop->Read(why), before) << desktop->Name();
    }
    SORVANE_NEEDS(tried != 0, "MATE's or Cinnamon's background schema");
}

}  // namespace
}  // namespace sorvane::test
