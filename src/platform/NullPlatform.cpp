#include "platform/NullPlatform.h"

#include <cstdio>

#include "platform/RegistryBackend.h"
#include "platform/SystemColors.h"

namespace sorvane {

namespace {

struct NullFolders : Folders {
    std::string PicturesFolder() override { return {}; }
    std::string ProgramFolder() override { return {}; }
    std::string TemplatePath() override { return {}; }
};

struct NullScreen : Screen {
    Rect WorkArea() override { return {}; }
};

// Names as the system forms them, so a caller never gets a bare relative name.
struct NullTempNames : TempNames {
    std::string TempFileName(const std::string& folder, const std::string& prefix,
                             unsigned unique) override {
        char number[16];
        std::snprintf(number, sizeof number, "%X", unique);
        return folder + "/" + prefix.substr(0, 3) + number + ".TMP";
    }
};

struct NullColors : ColorTranslator {
    std::optional<uint32_t> Translate(uint32_t oleColor) override {
        return TranslateOleColor(oleColor, DefaultSystemColors());
    }
};

struct NullShell : Shell {
    bool Open(const std::string&) override { return false; }
    bool OpenInBrowser(const std::string&) override { return false; }
    std::string BrowserFolder() override { return {}; }
    bool TransitionsAvailable() override { return false; }
    std::string OpenDisplaySettings() override { return {}; }
};

struct NullDesktopWindows : DesktopWindows {
    uint64_t FindDesktopBrowserWindow() override { return 0; }
};

struct NullKey : RegistryKey {};

// Reads find nothing; writes are taken and forgotten.
struct NullRegistry : RegistryBackend {
    long OpenKey(uint32_t, const std::string&, uint32_t, std::unique_ptr<RegistryKey>&) override {
        return RegFileNotFound;
    }
    long CreateKey(uint32_t, const std::string&, uint32_t,
                   std::unique_ptr<RegistryKey>& key) override {
        key = std::make_unique<NullKey>();
        return RegSuccess;
    }
    long QueryValue(RegistryKey&, const std::string&, uint32_t&, std::vector<uint8_t>*,
                    uint32_t&) override {
        return RegFileNotFound;
    }
    long SetValue(RegistryKey&, const std::string&, uint32_t,
                  const std::vector<uint8_t>&) override {
        return RegSuccess;
    }
    long DeleteValue(RegistryKey&, const std::string&) override { return RegFileNotFound; }
    long DeleteKey(uint32_t, const std::string&) override { return RegFileNotFound; }
    long EnumValue(RegistryKey&, uint32_t, std::string&) override { return RegNoMoreItems; }
    long EnumKey(RegistryKey&, uint32_t, std::string&) override { return RegNoMoreItems; }
};

}  // namespace

Platform MakeNullPlatform() {
    Platform p;
    p.folders = std::make_shared<NullFolders>();
    p.screen = std::make_shared<NullScreen>();
    p.tempNames = std::make_shared<NullTempNames>();
    p.colors = std::make_shared<NullColors>();
    p.shell = std::make_shared<NullShell>();
    p.desktopWindows = std::make_shared<NullDesktopWindows>();
    p.registry = std::make_shared<NullRegistry>();
    p.newActiveDesktop = [] { return std::unique_ptr<ActiveDesktop>(); };
    return p;
}

Platform CompletePlatform(Platform platform) {
    Platform null = MakeNullPlatform();
    if (!platform.folders) platform.folders = null.folders;
    if (!platform.screen) platform.screen = null.screen;
    if (!platform.tempNames) platform.tempNames = null.tempNames;
    if (!platform.colors) platform.colors = null.colors;
    if (!platform.shell) platform.shell = null.shell;
    if (!platform.desktopWindows) platform.desktopWindows = null.desktopWindows;
    if (!platform.registry) platform.registry = null.registry;
    if (!platform.newActiveDesktop) platform.newActiveDesktop = null.newActiveDesktop;
    return platform;
}

}  // namespace sorvane
