#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/linux/HostCommand.h"

namespace sorvane {

// One way of putting the wallpaper page on the desktop: our own surfaces
// below every window, a wallpaper plugin of the desktop shell, or the
// desktop's own background setting fed with the prepared pictures in turn.
// Whatever it changed in the desktop's own settings it gives back when it is
// destroyed, so switching ways or quitting leaves the user's desktop as it was.
class Backdrop {
  public:
    virtual ~Backdrop() = default;

    // Shows the page at `pagePath` ("" is the empty desktop). `ok` false with
    // the reason when the page can't be shown this way.
    virtual HostReply Show(const std::string& pagePath) = 0;
    // "" while what the user sees on every output is our page (or our
    // picture); else why not, naming the desktop, for `load` to report.
    virtual std::string NotSeen() const = 0;
    // One line per output: "OUTPUT: how it is shown".
    virtual std::vector<std::string> Status() const = 0;
    // A non-zero id once the page is seen: the X window or Wayland surface
    // where it is ours, else any non-zero token (the program only asks
    // whether the desktop is there).
    virtual uint64_t ShownId() const = 0;
    // What this way leaves out of the page, for the user ("" for nothing).
    virtual std::string Limits() const { return {}; }
};

}  // namespace sorvane
