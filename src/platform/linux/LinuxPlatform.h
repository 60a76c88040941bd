#pragma once

#include <optional>

#include "platform/Platform.h"

namespace sorvane {

struct LinuxPlatformOptions {
    // Replaces the screen's work area for this run only (headless use).
    std::optional<Rect> WorkArea;
    // False: nothing is opened in a browser or mail program (scripted runs).
    bool OpenExternal = true;
};

// The desktop's texts as a Linux user's desktop has it.
DesktopWording LinuxWording();

// The Linux services: XDG folders, the primary screen, our registry store, the
// desktop host, xdg-open.
Platform MakeLinuxPlatform(const LinuxPlatformOptions& options = {});

}  // namespace sorvane
