#include "SessionProbe.h"

#include <wayland-client.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace sorvane {

namespace {

bool Set(const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr && v[0] != '\0';
}

struct Globals {
    bool layerShell = false;
    bool mutter = false;
    bool weston = false;
};

// What the compositor's own globals say it is, for messages where the
// session names no desktop (a compositor started from a terminal).
std::string compositorName;

void OnGlobal(void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
    auto* globals = static_cast<Globals*>(data);
    if (std::strcmp(interface, "zwlr_layer_shell_v1") == 0) globals->layerShell = true;
    // GTK's own protocol: only mutter offers it, and mutter stacks X11
    // desktop windows as X window managers do.
    if (std::strcmp(interface, "gtk_shell1") == 0) globals->mutter = true;
    if (std::strncmp(interface, "weston_", 7) == 0) globals->weston = true;
}
void OnGlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener RegistryListener = {OnGlobal, OnGlobalRemove};

// Qt's own headless platforms, chosen by whoever started us: they have no
// desktop to draw on even where a display is at hand.
bool CallerIsHeadless() {
    const char* qpa = std::getenv("QT_QPA_PLATFORM");
    if (qpa == nullptr) return false;
    return std::strncmp(qpa, "offscreen", 9) == 0 || std::strncmp(qpa, "minimal", 7) == 0;
}

}  // namespace

WaylandOffer ProbeWayland() {
    wl_display* d = wl_display_connect(nullptr);
    if (d == nullptr) return WaylandOffer::Unreachable;
    Globals globals;
    wl_registry* registry = wl_display_get_registry(d);
    wl_registry_add_listener(registry, &RegistryListener, &globals);
    const bool answered = wl_display_roundtrip(d) >= 0;
    wl_registry_destroy(registry);
    wl_display_disconnect(d);
    if (!answered) return WaylandOffer::Unreachable;
    compositorName = globals.weston ? "weston" : globals.mutter ? "GNOME" : "";
    if (globals.layerShell) return WaylandOffer::LayerShell;
    return globals.mutter ? WaylandOffer::StacksX11Desktop : WaylandOffer::NoLayerShell;
}

bool X11Reachable() {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    const bool ok = c != nullptr && xcb_connection_has_error(c) == 0;
    if (c != nullptr) xcb_disconnect(c);
    return ok;
}

std::string SessionName() {
    for (const char* name : {"XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP", "DESKTOP_SESSION"})
        if (Set(name)) return std::getenv(name);
    if (Set("WAYLAND_DISPLAY")) return compositorName.empty() ? "Wayland" : compositorName;
    if (Set("DISPLAY")) return "X11";
    return "none";
}

SessionChoice ProbeSession() {
    if (CallerIsHeadless())
        return {DesktopLayer::None,
                "The desktop slide show needs a display, but this was started without one "
                "(QT_QPA_PLATFORM=" +
                    std::string(std::getenv("QT_QPA_PLATFORM")) + ")."};
    const WaylandOffer offer = Set("WAYLAND_DISPLAY") ? ProbeWayland() : WaylandOffer::Unreachable;
    if (offer == WaylandOffer::LayerShell) return {DesktopLayer::LayerShell, {}};
    const bool x11 = Set("DISPLAY") && X11Reachable();
    if (offer == WaylandOffer::NoLayerShell)
        return {DesktopLayer::None,
                "The desktop slide show can't be shown in this session (" + SessionName() +
                    "): its Wayland compositor offers no background layer to other programs" +
                    (x11 ? ", and it would show our desktop window over your windows."
                         : ", and no X11 display (XWayland) is available.")};
    if (x11) return {DesktopLayer::X11Desktop, {}};
    if (offer == WaylandOffer::StacksX11Desktop)
        return {DesktopLayer::None,
                "The desktop slide show can't be shown in this session (" + SessionName() +
                    "): its Wayland compositor offers no background layer to other programs, "
                    "and no X11 display (XWayland) is available."};
    return {DesktopLayer::None,
            "The desktop slide show needs a desktop session, but no display could be reached "
            "(session: " +
                SessionName() + ")."};
}

}  // namespace sorvane
