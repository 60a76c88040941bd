#include "X11Desktop.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace sorvane {

namespace {

xcb_connection_t* Connection() {
    if (!RunsOnX11()) return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, FreeDeleter> reply(
        xcb_intern_atom_reply(c, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

}  // namespace

bool RunsOnX11() {
    return qGuiApp != nullptr && QGuiApplication::platformName() == QLatin1String("xcb");
}

void MarkAsDesktopWindow(WId window) {
    xcb_connection_t* c = Connection();
    if (c == nullptr || window == 0) return;
    const auto id = static_cast<xcb_window_t>(window);

    const xcb_atom_t type = Atom(c, "_NET_WM_WINDOW_TYPE");
    const xcb_atom_t desktopType = Atom(c, "_NET_WM_WINDOW_TYPE_DESKTOP");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, type, XCB_ATOM_ATOM, 32, 1, &desktopType);

    std::vector<xcb_atom_t> states;
    for (const char* name : {"_NET_WM_STATE_BELOW", "_NET_WM_STATE_STICKY",
                             "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"})
        states.push_back(Atom(c, name));
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, Atom(c, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32,
                        static_cast<uint32_t>(states.size()), states.data());

    const uint32_t allWorkspaces = 0xFFFFFFFFu;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, Atom(c, "_NET_WM_DESKTOP"), XCB_ATOM_CARDINAL,
                        32, 1, &allWorkspaces);
    xcb_flush(c);
}

bool IsMarkedAsDesktop(WId window) {
    xcb_connection_t* c = Connection();
    if (c == nullptr || window == 0) return false;
    const xcb_atom_t desktopType = Atom(c, "_NET_WM_WINDOW_TYPE_DESKTOP");
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(c, 0, static_cast<xcb_window_t>(window), Atom(c, "_NET_WM_WINDOW_TYPE"),
                         XCB_ATOM_ATOM, 0, 16);
    std::unique_ptr<xcb_get_property_reply_t, FreeDeleter> reply(
        xcb_get_property_reply(c, cookie, nullptr));
    if (!reply || reply->format != 32) return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    for (int i = 0; i < count; ++i)
        if (atoms[i] == desktopType) return true;
    return false;
}

}  // namespace sorvane
