#pragma once

#include <gdk/gdk.h>

#include <string>

namespace sorvane {

// A monitor's name for messages and `status`: its connector where GDK knows
// it, with its size and place.
std::string MonitorName(GdkMonitor* monitor);

}  // namespace sorvane
