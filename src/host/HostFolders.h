#pragma once

#include <string>

namespace sorvane {

// A user's XDG base folder: the variable's value when it is an absolute
// path, else HOME/underHome (the XDG base-directory defaults).
std::string XdgFolder(const char* variable, const char* underHome);
// Where the host keeps its log and what it must give back after a crash.
std::string HostStateFolder();

}  // namespace sorvane
