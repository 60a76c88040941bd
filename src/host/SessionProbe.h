#pragma once

#include <string>

namespace sorvane {

// What the session offers us to draw the desktop on.
enum class DesktopLayer {
    LayerShell,  // a Wayland compositor with wlr-layer-shell: background surfaces
    X11Desktop,  // an X server (native, or XWayland): windows of type DESKTOP
    None,        // nothing: the host refuses
};

struct SessionChoice {
    DesktopLayer layer = DesktopLayer::None;
    std::string problem;  // for None: why, naming the session
};

// Asks the session itself, by connecting to it: the Wayland compositor's
// globals where WAYLAND_DISPLAY names one, then the X server of DISPLAY.
// The variables only say where to connect; what is offered decides.
SessionChoice ProbeSession();

// The desktop's name for messages ("GNOME", "sway", ...), or what kind of
// session this is when it gives none.
std::string SessionName();

// True when the compositor at `display` (nullptr: WAYLAND_DISPLAY)
// announces zwlr_layer_shell_v1; false when it doesn't or can't be reached.
bool WaylandOffersLayerShell(const char* display);
bool WaylandReachable(const char* display);
bool X11Reachable();

}  // namespace sorvane
