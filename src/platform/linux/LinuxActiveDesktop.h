#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/Platform.h"

namespace sorvane {

class RegistryBackend;

// How the desktop is reached: the host's socket folder and program, and
// whether this run may start a host (not without a display, nor when told to
// start no outside program).
struct LinuxDesktopPlace {
    std::string hostFolder;
    std::string hostProgram;
    bool mayStartHost = false;
};

// The Active Desktop object on Linux. The wallpaper setting lives in our
// registry store under the platform's own names; the desktop itself is our
// desktop host, told over its socket to show the page, and started at login
// through an autostart entry while a page is the wallpaper.
class LinuxActiveDesktop : public ActiveDesktop {
  public:
    LinuxActiveDesktop(std::shared_ptr<RegistryBackend> registry, LinuxDesktopPlace place);

    // The staged wallpaper when one is staged, else the saved setting.
    std::string GetWallpaper() override;
    // Stages the path (up to a NUL, as callers of the platform's object end it).
    void SetWallpaper(const std::string& path) override;
    // Save (1): the staged path becomes the setting, and the autostart entry
    // follows it. Refresh (4): a running host shows it; with none running, a
    // page (not the empty desktop) starts one where that is allowed, else the
    // setting waits for the next start. When the page can't be shown, the
    // setting and the entry are put back and sorvane::Error says why.
    void ApplyChanges(unsigned flags) override;
    // The running host's note on what its way of showing the page leaves out.
    std::string ShowNote() override;

    static constexpr unsigned ApplySave = 1;
    static constexpr unsigned ApplyRefresh = 4;

  private:
    // The setting and the login entry that follows it.
    void Save(const std::string& page);
    // Tells the running host to show `page`, or starts one for it.
    void Refresh(const std::string& page);

    std::shared_ptr<RegistryBackend> registry_;
    LinuxDesktopPlace place_;
    std::optional<std::string> staged_;
};

// Turns the desktop slide show off: the wallpaper setting is cleared (the
// remembered old wallpaper keeps its meaning), nothing starts the host at
// login any more, and a running host ends. The desktop's own wallpaper shows
// again: `hostProgram stop` gives it back where a crashed host left ours.
// Throws sorvane::Error when a step fails; returns what the host program
// could not do ("" when all went well).
std::string StopDesktopSlideShow(std::shared_ptr<RegistryBackend> registry,
                                 const std::string& hostFolder, const std::string& hostProgram);

// Reads the saved wallpaper setting ("" when there is none).
std::string ReadWallpaperSetting(std::shared_ptr<RegistryBackend> registry);

}  // namespace sorvane
