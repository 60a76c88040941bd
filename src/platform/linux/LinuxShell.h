#pragma once

#include <functional>
#include <string>

#include "platform/Platform.h"

namespace sorvane {

// Opening URLs, mail addresses and pages with the user's default programs.
class LinuxShell : public Shell {
  public:
    // `wallpaperPage` reads the page the wallpaper setting names, for a host
    // started to show it.
    LinuxShell(bool openExternal, std::function<std::string()> wallpaperPage)
        : openExternal_(openExternal), wallpaperPage_(std::move(wallpaperPage)) {}
    bool Open(const std::string& target) override;
    bool OpenInBrowser(const std::string& pagePath) override;
    std::string BrowserFolder() override;
    bool TransitionsAvailable() override;
    std::string OpenDisplaySettings() override;

    // Whether this run may start the desktop host: it opens outside programs
    // and has a real display.
    bool MayStartHost() const;

    // The desktop host program beside ours, or on PATH; "" when not installed.
    static std::string HostProgram();

  private:
    bool openExternal_;
    std::function<std::string()> wallpaperPage_;
};

}  // namespace sorvane
