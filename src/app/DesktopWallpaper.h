#pragma once

#include <memory>
#include <string>

#include "platform/Platform.h"

namespace sorvane {

// A new Active Desktop object for one command; throws sorvane::Error when the
// platform has none (its factory gives nothing).
std::unique_ptr<ActiveDesktop> CreateActiveDesktop(const Platform& platform);

// The build's two wallpaper calls, each applied with all apply flags: clearing
// the wallpaper before the page is rewritten, and installing the page after.
void ClearWallpaper(ActiveDesktop& desktop);
void InstallWallpaper(ActiveDesktop& desktop, const std::string& pagePath);

}  // namespace sorvane
