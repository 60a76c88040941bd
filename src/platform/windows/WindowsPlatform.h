#pragma once

#include "platform/Platform.h"

namespace sorvane {

// The Windows services: shell folders, the work area, the registry, the
// shell's Active Desktop object and its desktop windows.
Platform MakeWindowsPlatform();

}  // namespace sorvane
