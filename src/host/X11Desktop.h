#pragma once

#include <QtGui/qwindowdefs.h>

namespace sorvane {

// True when the application runs on X11 (xcb); other platforms, offscreen
// included, have no X connection to talk to.
bool RunsOnX11();

// Marks an unmapped top-level X window as the desktop: window type DESKTOP,
// below other windows, on every workspace, out of task bars and pagers.
// Does nothing off X11.
void MarkAsDesktopWindow(WId window);

// Whether the X window carries the DESKTOP window type (false off X11).
bool IsMarkedAsDesktop(WId window);

}  // namespace sorvane
