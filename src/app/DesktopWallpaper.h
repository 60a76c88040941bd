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

// Whether the desktop shows the page now: the desktop's own answer where it
// has one, else whether its wallpaper setting names the page exactly.
bool DesktopShowsPage(const Platform& platform, const std::string& pagePath);

// Stops the page's show on the desktop and puts back the wallpaper kept from
// before it. "" when done; the reason when there was nothing to stop. Throws
// sorvane::Error when the desktop refuses.
std::string StopDesktopShow(const Platform& platform, const std::string& pagePath);

}  // namespace sorvane
