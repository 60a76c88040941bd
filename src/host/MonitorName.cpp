#include "MonitorName.h"

namespace sorvane {

std::string MonitorName(GdkMonitor* monitor) {
    const char* model = gdk_monitor_get_model(monitor);
    GdkRectangle g;
    gdk_monitor_get_geometry(monitor, &g);
    std::string name = model && *model ? model : "monitor";
    return name + " (" + std::to_string(g.width) + "x" + std::to_string(g.height) + " at " +
           std::to_string(g.x) + "," + std::to_string(g.y) + ")";
}

}  // namespace sorvane
