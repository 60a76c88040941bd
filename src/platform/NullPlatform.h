#pragma once

#include "platform/Platform.h"

namespace sorvane {

// Services for a program without a desktop (headless runs, tests): no
// folders, an empty work area, the default colour table, nothing opened, no
// desktop browser window, no Active Desktop object, and a registry that finds
// nothing and keeps nothing.
Platform MakeNullPlatform();

// `platform` with every service it lacks taken from the null platform, so no
// caller ever meets a missing service. MainForm takes its platform through here.
Platform CompletePlatform(Platform platform);

}  // namespace sorvane
