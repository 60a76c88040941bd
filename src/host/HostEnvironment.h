#pragma once

#include <string>

namespace sorvane {

// The browser engine's command-line flags for a desktop without a GPU:
// software rendering and compositing, added to the user's own flags.
std::string DesktopChromiumFlags(const std::string& userFlags);

// Sets up the environment before the application starts: the software Quick
// backend, the engine's flags, and (as root only, where the engine's sandbox
// refuses to start) no sandbox. Settings the user made stay.
void PrepareHostEnvironment();

}  // namespace sorvane
