#pragma once

#include "platform/Platform.h"

namespace sorvane {

// The Windows platform with the desktop this system has: Windows' own slide
// show where the shell's desktop wallpaper object exists (Windows 8 and
// later, which draw no page on the desktop), else the Active Desktop.
Platform MakeDesktopPlatform();

// desktop-sorvane.exe --stop-desktop: stops the page's slide show on the
// desktop, gives back the earlier wallpaper, and says so in a message box.
// Returns the program's exit code.
int StopDesktopSlideShow(Platform platform);

}  // namespace sorvane
