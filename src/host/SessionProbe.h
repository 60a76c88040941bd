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

// What the compositor at WAYLAND_DISPLAY offers, from one connection.
// StacksX11Desktop: no layer shell, but it keeps an X11 window of type
// DESKTOP below all others (mutter); others, such as weston, treat one as an
// ordinary window.
enum class WaylandOffer { Unreachable, NoLayerShell, StacksX11Desktop, LayerShell };
WaylandOffer ProbeWayland();
bool X11Reachable();

}  // namespace sorvane
