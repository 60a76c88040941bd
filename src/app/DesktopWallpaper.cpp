#include "DesktopWallpaper.h"

#include "platform/DesktopRegistryNames.h"
#include "platform/Error.h"
#include "platform/Translate.h"
#include "registry/cRegistry.h"
#include "settings/SettingsKey.h"

namespace sorvane {

std::unique_ptr<ActiveDesktop> CreateActiveDesktop(const Platform& platform) {
    std::unique_ptr<ActiveDesktop> desktop = platform.newActiveDesktop();
    if (!desktop)
        throw Error(SORVANE_TR("Sorvane",
                               "The desktop's wallpaper service is not available on this system."));
    return desktop;
}

void ClearWallpaper(ActiveDesktop& desktop) {
    desktop.SetWallpaper("");
    desktop.ApplyChanges(ActiveDesktop::ApplyAll);
}

void InstallWallpaper(ActiveDesktop& desktop, const std::string& pagePath) {
    // The platform's object takes a terminated text.
    desktop.SetWallpaper(pagePath + '\0');
    desktop.ApplyChanges(ActiveDesktop::ApplyAll);
}

namespace {

std::string ReadText(const Platform& platform, const char* key, const char* name) {
    cRegistry reg(platform.registry);
    reg.SetClassKey(HKeyCurrentUser);
    reg.SetSectionKey(key);
    reg.SetValueKey(name);
    reg.SetValueType(RegSz);
    return reg.Value().ToText();
}

}  // namespace

bool DesktopShowsPage(const Platform& platform, const std::string& pagePath) {
    if (platform.desktopShowsPage) return platform.desktopShowsPage(pagePath);
    // Exactly the page, letter case and all, counts as installed.
    return ReadText(platform, DesktopGeneralKey, WallpaperValueName) == pagePath;
}

std::string StopDesktopShow(const Platform& platform, const std::string& pagePath) {
    if (!DesktopShowsPage(platform, pagePath))
        return SORVANE_TR("Sorvane", "The desktop slide show is not running.");
    const std::unique_ptr<ActiveDesktop> desktop = CreateActiveDesktop(platform);
    desktop->GiveBack(ReadText(platform, SettingsRegistryKey, "OldPaper"));
    return {};
}

}  // namespace sorvane
