#include "LinuxPlatform.h"

#include "LinuxColors.h"
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
    return p;
}

}  // namespace sorvane
