#pragma once

#include <string>

#include "platform/Platform.h"

namespace sorvane {

// The desktop's browser window on Linux: the window of our running desktop
// host, once it shows the desktop.
class LinuxDesktopWindows : public DesktopWindows {
  public:
    explicit LinuxDesktopWindows(std::string hostFolder) : hostFolder_(std::move(hostFolder)) {}
    // 0 when no host runs, it shows nothing yet, or it can't be asked.
    uint64_t FindDesktopBrowserWindow() override;

  private:
    std::string hostFolder_;
};

}  // namespace sorvane
