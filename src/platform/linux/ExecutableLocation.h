#pragma once

#include <string>

namespace sorvane {

// The folder of the running program, or "" where it cannot be read.
std::string ExecutableFolder();

// Whether the running program sits in the build tree it was built in. Only
// such a program may fall back on the source and build folders; an installed
// copy must not reach into the machine it was built on.
bool RunFromBuildTree();

}  // namespace sorvane
