#pragma once

#include <string>
#include <vector>

#include "platform/linux/HostCommand.h"

namespace sorvane {

// What the host was asked to do on its command line. With no arguments it
// shows the saved wallpaper (a running host reloads it).
struct HostArguments {
    HostCommand command;
    bool help = false;
    std::string error;  // a usage mistake; empty when the arguments are fine
};

// `args` without the program's name. A relative page path is made absolute,
// since a running host has its own working folder.
HostArguments ParseHostArguments(const std::vector<std::string>& args);

std::string HostUsage();

}  // namespace sorvane
