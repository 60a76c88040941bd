#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/Platform.h"

namespace sorvane {

class RegistryBackend;

// The Active Desktop object on Linux. The wallpaper setting lives in our
// registry store under the platform's own names; the desktop itself is our
// desktop host, told over its socket to show the page.
class LinuxActiveDesktop : public ActiveDesktop {
  public:
    LinuxActiveDesktop(std::shared_ptr<RegistryBackend> registry, std::string hostFolder);

    // The staged wallpaper when one is staged, else the saved setting.
    std::string GetWallpaper() override;
    // Stages the path (up to a NUL, as callers of the platform's object end it).
    void SetWallpaper(const std::string& path) override;
    // Save (1): the staged path becomes the setting. Refresh (4): a running host
    // shows it. No running host is no failure: the setting waits for it.
    void ApplyChanges(unsigned flags) override;

    static constexpr unsigned ApplySave = 1;
    static constexpr unsigned ApplyRefresh = 4;

  private:
    std::shared_ptr<RegistryBackend> registry_;
    std::string hostFolder_;
    std::optional<std::string> staged_;
};

// Reads the saved wallpaper setting ("" when there is none).
std::string ReadWallpaperSetting(std::shared_ptr<RegistryBackend> registry);

}  // namespace sorvane
