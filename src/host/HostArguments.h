#pragma once

#include <string>
#include <vector>

#include "platform/linux/HostCommand.h"

namespace sorvane {

// What the host was asked to do on its command line. With no arguments it
// reloads (a new host: the empty desktop).
struct HostArguments {
    HostCommand command;
    // "login PAGE", from the autostart entry: show PAGE when it is there;
    // otherwise log why and end.
    bool login = false;
    // "stop": close the running host and give back the desktop's own
    // wallpaper, also where a crashed host left ours.
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
