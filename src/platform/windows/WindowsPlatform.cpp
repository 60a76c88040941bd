#include "WindowsPlatform.h"

#include "WindowsActiveDesktop.h"
#include "WindowsDesktopWindows.h"
#include "WindowsFolders.h"
#include "WindowsRegistryBackend.h"
#include "WindowsServices.h"
#include "WindowsShell.h"

namespace sorvane {

Platform MakeWindowsPlatform() {
    Platform p;
    p.folders = std::make_shared<WindowsFolders>();
    p.screen = std::make_shared<WindowsScreen>();
    p.tempNames = std::make_shared<WindowsTempNames>();
    p.colors = std::make_shared<WindowsColors>();
    p.registry = std::make_shared<WindowsRegistryBackend>();
    p.shell = std::make_shared<WindowsShell>(p.registry);
    p.desktopWindows = std::make_shared<WindowsDesktopWindows>();
    p.newActiveDesktop = []() -> std::unique_ptr<ActiveDesktop> {
        return WindowsActiveDesktop::Create();
    };
    return p;
}

}  // namespace sorvane
