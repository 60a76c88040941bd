#include "HostEnvironment.h"

#include <unistd.h>

#include <cstdlib>

namespace sorvane {

std::string DesktopChromiumFlags(const std::string& userFlags) {
    std::string flags = userFlags;
    for (const char* flag : {"--disable-gpu", "--disable-gpu-compositing"}) {
        if (flags.find(flag) != std::string::npos) continue;
        if (!flags.empty()) flags += ' ';
        flags += flag;
    }
    return flags;
}

void PrepareHostEnvironment() {
    setenv("QT_QUICK_BACKEND", "software", 0);
    const char* user = std::getenv("QTWEBENGINE_CHROMIUM_FLAGS");
    setenv("QTWEBENGINE_CHROMIUM_FLAGS", DesktopChromiumFlags(user ? user : "").c_str(), 1);
    if (geteuid() == 0) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
}

}  // namespace sorvane
