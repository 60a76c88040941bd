#include "LinuxPlatform.h"

#include "HostSocket.h"
#include "LinuxActiveDesktop.h"
#include "LinuxColors.h"
#include "LinuxDesktopWindows.h"
#include "LinuxFolders.h"
#include "LinuxScreen.h"
#include "LinuxShell.h"
#include "LinuxTempNames.h"
#include "platform/Translate.h"
#include "registry/SqliteRegistryBackend.h"

namespace sorvane {

DesktopWording LinuxWording() {
    DesktopWording w;
    w.NotEnabledTitle = SORVANE_TR_NOOP("Sorvane", "Desktop Slide Show Not Running");
    w.NotEnabledText = SORVANE_TR_NOOP(
        "Sorvane",
        "The desktop slide show is not running. Click 'OK' to start it with this page as your "
        "wallpaper.");
    w.DisabledTitle = SORVANE_TR_NOOP("Sorvane", "Desktop Slide Show Not Running");
    w.DisabledText = SORVANE_TR_NOOP(
        "Sorvane", "The desktop slide show is not running.\r\n\r\nClick 'OK' to start it now.");
    w.Requirements = SORVANE_TR_NOOP(
        "Sorvane",
        "The slide show is drawn on your desktop by Desktop Sorvane's own desktop host, which "
        "starts when you set the page as your wallpaper and again at every login. The preview "
        "opens in your web browser.");
    return w;
}

Platform MakeLinuxPlatform(const LinuxPlatformOptions& options) {
    Platform p;
    p.wording = LinuxWording();
    p.folders = std::make_shared<LinuxFolders>();
    p.screen = std::make_shared<LinuxScreen>(options.WorkArea);
    p.tempNames = std::make_shared<LinuxTempNames>();
    p.colors = std::make_shared<LinuxColors>();
    p.registry = OpenDefaultRegistryStore();
    auto shell = std::make_shared<LinuxShell>(
        options.OpenExternal, [registry = p.registry] { return ReadWallpaperSetting(registry); });
    p.shell = shell;
    // The web desktop is our desktop host, reached through its socket.
    p.desktopWindows = std::make_shared<LinuxDesktopWindows>(HostSocketFolder());
    p.newActiveDesktop = [registry = p.registry, shell] {
        return std::make_unique<LinuxActiveDesktop>(
            registry, LinuxDesktopPlace{HostSocketFolder(), LinuxShell::HostProgram(),
                                        shell->MayStartHost()});
    };
    return p;
}

}  // namespace sorvane
