#include "HostFolders.h"

#include <cstdlib>

namespace sorvane {

std::string XdgFolder(const char* variable, const char* underHome) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/') return value;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr && home[0] == '/' ? home : "/tmp") + "/" + underHome;
}

std::string HostStateFolder() {
    return XdgFolder("XDG_STATE_HOME", ".local/state") + "/desktop-sorvane";
}

}  // namespace sorvane
