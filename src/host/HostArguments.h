#pragma once

#include <string>
#include <vector>

#include "platform/linux/HostCommand.h"

namespace sorvane {

// What the host was asked to do on its command line. With no arguments it
// shows the saved wallpaper (a running host reloads it).
struct HostArguments {
    HostCommand command;
    // "login PAGE", from the autostart entry: show PAGE only while it is
    // still the wallpaper and still there; otherwise end quietly.
    bool login = false;
    // "stop": turn the desktop slide show off for good (see StopDesktopSlideShow).
    bool stop = false;
    // Stay attached to the caller (for debugging): no detaching, no log.
    bool foreground = false;
    bool help = false;
    std::string error;  // a usage mistake; empty when the arguments are fine
};

// `args` without the program's name. A relative page path is made absolute,
// since a running host has its own working folder.
HostArguments ParseHostArguments(const std::vector<std::string>& args);

std::string HostUsage();

}  // namespace sorvane
