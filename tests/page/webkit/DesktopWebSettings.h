// The desktop host's engine settings, for the page tests while the host has
// none of its own in src/host (CMake prefers that one when it is there).
#pragma once
#include <webkit2/webkit2.h>

void ConfigureDesktopWebView(WebKitWebView* view, bool hardwareAcceleration);
