// Stand-in for the desktop host's engine settings until the host has them.
#pragma once
#include <webkit2/webkit2.h>

void ConfigureDesktopWebView(WebKitWebView* view, bool hardwareAcceleration);
