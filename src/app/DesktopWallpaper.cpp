#include "DesktopWallpaper.h"

#include "platform/Error.h"
#include "platform/Translate.h"

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

}  // namespace sorvane
