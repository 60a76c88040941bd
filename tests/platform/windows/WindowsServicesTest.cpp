#include <gtest/gtest.h>

#include <filesystem>

#include "common/TempHome.h"
#include "platform/DesktopRegistryNames.h"
#include "platform/ProgramPath.h"
#include "platform/SystemColors.h"
#include "platform/windows/WindowsFolders.h"
#include "platform/windows/WindowsServices.h"
#include "platform/windows/WindowsShell.h"
#include "registry/WindowsRegistryFactory.h"

#include <windows.h>

namespace fs = std::filesystem;

namespace sorvane::test {
namespace {

bool SameName(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                          b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

TEST(WindowsTempNames, NonZeroNumberFormsTheNameAndCreatesNothing) {
    TempHome home;
    const std::string folder = (home / "Pictures").string();
    WindowsTempNames names;
    // The system picks the letter case (Wine writes "WP1.tmp"); file names
    // compare without it.
    const std::string name = names.TempFileName(folder, "WP", 1);
    EXPECT_TRUE(SameName(name, folder + "\\WP1.TMP")) << name;
    EXPECT_FALSE(fs::exists(name));
    // Three characters of the prefix count; the number is hexadecimal.
    const std::string hex = names.TempFileName(folder, "WPXYZ", 0xABC);
    EXPECT_TRUE(SameName(hex, folder + "\\WPXABC.TMP")) << hex;
    // The same every run.
    EXPECT_EQ(names.TempFileName(folder, "WP", 1), name);
}

TEST(WindowsScreen, WorkAreaIsAScreenSizedRectangle) {
    const Rect area = WindowsScreen().WorkArea();
    EXPECT_LT(area.Left, area.Right);
    EXPECT_LT(area.Top, area.Bottom);
    EXPECT_GE(area.Right - area.Left, 320);
    EXPECT_GE(area.Bottom - area.Top, 200);
}

TEST(WindowsColors, SystemReferencesResolveAndOthersPassOrFail) {
    WindowsColors colors;
    EXPECT_EQ(colors.Translate(0x00123456), 0x00123456u);
    EXPECT_EQ(colors.Translate(0x02123456), 0x00123456u) << "palette-relative";
    // The desktop colour is the system's current one.
    EXPECT_EQ(colors.Translate(OleDesktopColor), static_cast<uint32_t>(GetSysColor(COLOR_DESKTOP)));
    EXPECT_EQ(colors.Translate(0x80000005), static_cast<uint32_t>(GetSysColor(COLOR_WINDOW)));
    EXPECT_FALSE(colors.Translate(0x800000FF)) << "no such system colour";
    EXPECT_FALSE(colors.Translate(0x80000101)) << "a reference has one byte of index";
    EXPECT_FALSE(colors.Translate(0xFF000000));
}

TEST(WindowsFolders, PicturesAndProgramFolders) {
    WindowsFolders folders;
    const std::string pictures = folders.PicturesFolder();
    ASSERT_FALSE(pictures.empty());
    EXPECT_EQ(pictures.find('/'), std::string::npos) << pictures;
    EXPECT_NE(pictures.back(), '\\');

    const std::string program = folders.ProgramFolder();
    EXPECT_EQ(program + "\\platform_windows_tests.exe", ProgramPath());
    EXPECT_TRUE(fs::is_directory(program));
    // Finding the folder writable leaves no trace in it.
    for (const auto& entry : fs::directory_iterator(program))
        EXPECT_NE(entry.path().filename().string().rfind("~sorvane-", 0), 0u) << entry.path();
    EXPECT_EQ(folders.TemplatePath(), program + "\\template.html");
    EXPECT_EQ(ProgramName(), "platform_windows_tests");
}

TEST(WindowsShell, BrowserFactsComeFromItsSetupValues) {
    auto registry = std::make_shared<IsolatedWindowsRegistry>();
    WindowsShell shell(registry);
    EXPECT_EQ(shell.BrowserFolder(), "");
    EXPECT_FALSE(shell.TransitionsAvailable()) << "no version value";

    auto write = [&](const char* key, const char* name, uint32_t type, const std::string& text) {
        std::unique_ptr<RegistryKey> k;
        ASSERT_EQ(registry->CreateKey(HKeyLocalMachine, key, KeyAllWrite, k), RegSuccess);
        std::vector<uint8_t> data(text.begin(), text.end());
        data.push_back(0);
        ASSERT_EQ(registry->SetValue(*k, name, type, data), RegSuccess);
    };
    setenv("SORVANE_PROGRAMS", "C:\\Programs", 1);
    write(BrowserSetupKey, BrowserSetupPathName, RegExpandSz, "%SORVANE_PROGRAMS%\\Browser");
    EXPECT_EQ(shell.BrowserFolder(), "C:\\Programs\\Browser");
    write(BrowserKey, BrowserVersionName, RegSz, "5.00.2920.0000");
    EXPECT_FALSE(shell.TransitionsAvailable());
    write(BrowserKey, BrowserVersionName, RegSz, "6.0.2800.1106");
    EXPECT_TRUE(shell.TransitionsAvailable());
}

}  // namespace
}  // namespace sorvane::test
