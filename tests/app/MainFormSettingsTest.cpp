#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <random>

#include "FormTest.h"
#include "common/FormAccess.h"
#include "platform/Error.h"
#include "registry/cRegistry.h"
#include "settings/ConfigFile.h"
#include "settings/SettingsKey.h"

namespace sorvane::test {
namespace {

class SettingsPersistence : public FormTest {
  protected:
    std::unique_ptr<MainForm> NewForm(bool withRegistry = true) {
        Platform p = fakes.Make();
        if (withRegistry) p.registry = store;
        auto form = std::make_unique<MainForm>(std::move(p), dialogs);
        std::filesystem::create_directories(fakes.folders->program);
        return form;
    }

    cRegistry Value(const char* name, uint32_t type) {
        cRegistry reg(store);
        reg.SetClassKey(HKeyCurrentUser);
        reg.SetSectionKey(SettingsRegistryKey);
        reg.SetValueKey(name);
        reg.SetValueType(type);
        return reg;
    }
};

TEST_F(SettingsPersistence, ConfigurationSurvivesARestartByteForByte) {
    auto first = NewForm();
    auto& s = test::Setup(*first).Settings;
    s.BackgroundColor = 0x00336699;
    s.DurationText = "12";
    s.Alignment = "right";
    s.Pictures = {{"beach.jpg", 12, true}, {"a|bar.png", 54, false}, {"été.bmp", 3, false}};
    first->WriteConfigFile();
    const std::string written = ReadFile(ConfigPath());
    EXPECT_EQ(written, " 3368601 \r\n12\r\nright\r\nbeach.jpg|12\r\na|bar.png|54\r\nété.bmp|3\r\n");

    auto second = NewForm();
    second->ReadConfigFile();
    const auto& r = second->State();
    EXPECT_EQ(r.Settings.BackgroundColor, 0x00336699u);
    EXPECT_EQ(r.Settings.DurationText, "12");
    EXPECT_EQ(r.Settings.Alignment, "right");
    EXPECT_EQ(AlignIndexOf(r.Settings.Alignment), 2);
    ASSERT_EQ(r.Settings.Pictures.size(), 3u);
    EXPECT_EQ(r.Settings.Pictures[1], (PictureEntry{"a|bar.png", 54, false}));
    second->WriteConfigFile();
    EXPECT_EQ(ReadFile(ConfigPath()), written);
}

TEST_F(SettingsPersistence, ValuesGoThroughTheControlsAsEdits) {
    WriteFile(ConfigPath(), "255\r\n4\r\nleft\r\n");
    auto form = NewForm();
    form->ReadConfigFile();
    EXPECT_EQ(AlignIndexOf(form->State().Settings.Alignment), 0);
    EXPECT_EQ(form->State().Settings.Alignment, "left");
    EXPECT_TRUE(form->State().Settings.Changed);
    EXPECT_TRUE(form->State().Controls.ApplyEnabled);
}

TEST_F(SettingsPersistence, DefaultFileAndOddAlignmentWordsChangeNothing) {
    WriteFile(ConfigPath(), "-2147483647 \r\n6\r\n\r\n");
    auto form = NewForm();
    form->ReadConfigFile();
    EXPECT_EQ(form->State().Settings.BackgroundColor, 0x80000001u);
    EXPECT_EQ(form->State().Settings.DurationText, "6");
    EXPECT_EQ(form->State().Settings.Alignment, "");
    EXPECT_EQ(AlignIndexOf(form->State().Settings.Alignment), 1);
    EXPECT_TRUE(form->State().Settings.Pictures.empty());
    EXPECT_FALSE(form->State().Settings.Changed);

    // "Left" selects Center, stays as written and is written back unchanged.
    WriteFile(ConfigPath(), "0\r\n6\r\nLeft\r\n");
    auto odd = NewForm();
    odd->ReadConfigFile();
    EXPECT_EQ(AlignIndexOf(odd->State().Settings.Alignment), 1);
    EXPECT_EQ(odd->State().Settings.Alignment, "Left");
    odd->WriteConfigFile();
    EXPECT_EQ(ReadFile(ConfigPath()), " 0 \r\n6\r\nLeft\r\n");
}

TEST_F(SettingsPersistence, HostileFilesLoadWithoutHarm) {
    auto form = NewForm();
    form->ReadConfigFile();  // no file at all
    EXPECT_TRUE(form->State().Settings.Pictures.empty());

    std::mt19937 rng(1);
    std::string noise(256 * 1024, '\0');
    for (char& c : noise) c = static_cast<char>(rng());
    // Not our shape: refused with a message, the defaults kept, the file set aside.
    WriteFile(ConfigPath(), noise);
    EXPECT_THROW(NewForm()->ReadConfigFile(), Error);
    EXPECT_FALSE(std::filesystem::exists(ConfigPath()));

    WriteFile(ConfigPath(), std::string(10 * 1024 * 1024, 'x') + "\r\n");
    auto longLine = NewForm();
    EXPECT_THROW(longLine->ReadConfigFile(), Error);
    EXPECT_EQ(longLine->State().Settings.DurationText, "6");

    std::string many = " 0 \r\n6\r\ncenter\r\n";
    for (size_t i = 0; i < MaxPictureEntries; ++i)
        many += "picture" + std::to_string(i) + ".jpg|" + std::to_string(i % 55) + "\r\n";
    WriteFile(ConfigPath(), many);
    auto full = NewForm();
    full->ReadConfigFile();
    EXPECT_EQ(full->State().Settings.Pictures.size(), MaxPictureEntries);
    full->WriteConfigFile();
    EXPECT_TRUE(ReadFile(ConfigPath()) == many);  // too long to print when it differs
}

// A disk that fills up half way through the new file leaves the old one whole.
TEST_F(SettingsPersistence, FailedWriteKeepsThePreviousFile) {
    WriteFile(ConfigPath(), "255\r\n4\r\nleft\r\n");
    auto form = NewForm();
    for (int i = 0; i < 2000; ++i)
        test::Setup(*form).Settings.Pictures.push_back(
            {"picture" + std::to_string(i) + ".jpg", 1, false});

    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    form->WriteConfigFile();
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(ReadFile(ConfigPath()), "255\r\n4\r\nleft\r\n");
    for (const auto& e : std::filesystem::directory_iterator(fakes.folders->program))
        EXPECT_EQ(e.path().filename(), "config.dat") << "left behind: " << e.path();
}

TEST_F(SettingsPersistence, RegistryValuesSeedBothSizesAndAreSavedOnClose) {
    auto first = NewForm();
    first->LoadRegistrySettings();
    EXPECT_EQ(first->State().Window.LastBrowseDir, "");
    EXPECT_EQ(first->State().Window.TargetSize, (PixelSize{0, 0}));

    test::Setup(*first).Window.LastBrowseDir = "/home/ann/Pictures/Trips";
    test::Setup(*first).Window.TargetSize = {1004, 718};
    test::Setup(*first).Window.LargestSize = {3000, 2000};  // not what is saved
    first->SaveRegistrySettings();
    EXPECT_EQ(Value("RecWidth", RegDword).Value(), RegistryValue(int32_t{1004}));

    auto second = NewForm();
    second->LoadRegistrySettings();
    EXPECT_EQ(second->State().Window.LastBrowseDir, "/home/ann/Pictures/Trips");
    EXPECT_EQ(second->State().Window.TargetSize, (PixelSize{1004, 718}));
    EXPECT_EQ(second->State().Window.LargestSize, (PixelSize{1004, 718}));
}

TEST_F(SettingsPersistence, SizesOfAnotherTypeCountAsNothing) {
    Value("RecWidth", RegSz).SetValue(RegistryValue("800"));
    auto bytes = Value("RecHeight", RegBinary);
    bytes.SetValue(RegistryValue(std::vector<uint8_t>{1, 2, 3, 4}));
    auto form = NewForm();
    form->LoadRegistrySettings();
    EXPECT_EQ(form->State().Window.TargetSize, (PixelSize{0, 0}));
    EXPECT_EQ(form->State().Window.LargestSize, (PixelSize{0, 0}));
}

TEST_F(SettingsPersistence, NoRegistryReadsAsAbsentAndSavesNothing) {
    auto form = NewForm(false);
    test::Setup(*form).Window.LastBrowseDir = "stale";
    form->LoadRegistrySettings();
    EXPECT_EQ(form->State().Window.LastBrowseDir, "");
    test::Setup(*form).Window.TargetSize = {5, 5};
    EXPECT_NO_THROW(form->SaveRegistrySettings());
    EXPECT_TRUE(Value("RecWidth", RegDword).Value().IsEmpty());
}

TEST_F(SettingsPersistence, BrokenStoreFailsTheSaveButNotTheClose) {
    WriteFile(home / "config/desktop-sorvane/registry.db", std::string(8192, '\x5a'));
    auto form = NewForm();
    // Told, not silently defaulted.
    EXPECT_THROW(form->LoadRegistrySettings(), Error);
    EXPECT_EQ(form->State().Window.TargetSize, (PixelSize{0, 0}));
    EXPECT_THROW(form->SaveRegistrySettings(), Error);
    form->Form_QueryUnload();
    EXPECT_TRUE(form->Closed());
}

}  // namespace
}  // namespace sorvane::test
