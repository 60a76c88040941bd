#include "LinuxPlatform.h"

#include "HostSocket.h"
#include "LinuxActiveDesktop.h"
#include "LinuxColors.h"
#include "LinuxDesktopWindows.h"
#include "LinuxFolders.h"
#include "LinuxScreen.h"
#include "LinuxShell.h"
#include "LinuxTempNames.h"
#include "registry/SqliteRegistryBackend.h"

namespace sorvane {

Platform MakeLinuxPlatform(const LinuxPlatformOptions& options) {
    Platform p;
    p.folders = std::make_shared<LinuxFolders>();
    p.screen = std::make_shared<LinuxScreen>(options.WorkArea);
    p.tempNames = std::make_shared<LinuxTempNames>();
    p.colors = std::make_shared<LinuxColors>();
    p.shell = std::make_shared<LinuxShell>(options.OpenExternal);
    p.registry = OpenDefaultRegistryStore();
    // The web desktop is our desktop host, reached through its socket.
    p.desktopWindows = std::make_shared<LinuxDesktopWindows>(HostSocketFolder());
    p.newActiveDesktop = [registry = p.registry] {
        return std::make_unique<LinuxActiveDesktop>(registry, HostSocketFolder());
    };
    return p;
}

}  // namespace sorvane
