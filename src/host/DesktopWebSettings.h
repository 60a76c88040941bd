#pragma once

#include <webkit2/webkit2.h>

namespace sorvane {

// The web engine's settings for the desktop: the one place they are made, so
// the page's tests measure exactly what the desktop runs. Without hardware
// acceleration the page is drawn in software, which on machines without a
// GPU is both smaller and smoother than compositing on software GL.
void ConfigureDesktopWebView(WebKitWebView* view, bool hardwareAcceleration);

// The host only ever shows our own local page: navigation elsewhere (a link,
// a script, a new window) is refused.
bool IsDesktopPageUri(const char* uri);

}  // namespace sorvane
