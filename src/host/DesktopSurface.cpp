#include "DesktopSurface.h"

#include <gtk-layer-shell.h>

#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif
#ifdef GDK_WINDOWING_WAYLAND
#include <gdk/gdkwayland.h>
#include <wayland-client.h>
#endif

#include <algorithm>
#include <cstdio>

#include "DesktopWebSettings.h"

namespace sorvane {

DesktopSurface::DesktopSurface(GdkMonitor* monitor, DesktopLayer layer, bool aboveWallpaperClient,
                               WebKitWebContext* context, WebKitWebView* related,
                               bool hardwareAcceleration)
    : monitor_(GDK_MONITOR(g_object_ref(monitor))), layer_(layer) {
    GtkWindow* window = GTK_WINDOW(gtk_window_new(GTK_WINDOW_TOPLEVEL));
    window_ = GTK_WIDGET(window);
    gtk_window_set_title(window, "Desktop Sorvane desktop");
    gtk_window_set_decorated(window, FALSE);
    gtk_window_set_accept_focus(window, FALSE);
    gtk_window_set_focus_on_map(window, FALSE);
    if (layer == DesktopLayer::LayerShell) {
        gtk_layer_init_for_window(window);
        gtk_layer_set_namespace(window, "desktop-sorvane");
        // A compositor may draw a newer background surface below an older
        // one (sway does), so beside a wallpaper client ours goes one layer up.
        gtk_layer_set_layer(window, aboveWallpaperClient ? GTK_LAYER_SHELL_LAYER_BOTTOM
                                                         : GTK_LAYER_SHELL_LAYER_BACKGROUND);
        gtk_layer_set_monitor(window, monitor);
        for (GtkLayerShellEdge edge : {GTK_LAYER_SHELL_EDGE_LEFT, GTK_LAYER_SHELL_EDGE_RIGHT,
                                       GTK_LAYER_SHELL_EDGE_TOP, GTK_LAYER_SHELL_EDGE_BOTTOM})
            gtk_layer_set_anchor(window, edge, TRUE);
        // -1: drawn under panels too, and pushes nothing aside. In the bottom
        // layer, 0: kept out of the space panels reserve, so never over one.
        gtk_layer_set_exclusive_zone(window, aboveWallpaperClient ? 0 : -1);
        gtk_layer_set_keyboard_mode(window, GTK_LAYER_SHELL_KEYBOARD_MODE_NONE);
    } else {
        gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_DESKTOP);
        gtk_window_set_keep_below(window, TRUE);
        gtk_window_stick(window);
        gtk_window_set_skip_taskbar_hint(window, TRUE);
        gtk_window_set_skip_pager_hint(window, TRUE);
        g_signal_connect(monitor, "notify::geometry", G_CALLBACK(OnGeometry), this);
        g_signal_connect(monitor, "notify::workarea", G_CALLBACK(OnGeometry), this);
        // Without a compositor the X server says when windows cover the
        // whole desktop: the page then rests (a hidden page runs no frames).
        gtk_widget_add_events(window_, GDK_VISIBILITY_NOTIFY_MASK);
        g_signal_connect(window_, "visibility-notify-event", G_CALLBACK(OnVisibility), this);
    }

    view_ = WEBKIT_WEB_VIEW(related ? webkit_web_view_new_with_related_view(related)
                                    : webkit_web_view_new_with_context(context));
    ConfigureDesktopWebView(view_, hardwareAcceleration);
    g_signal_connect(view_, "load-changed", G_CALLBACK(OnLoadChanged), this);
    g_signal_connect(view_, "load-failed", G_CALLBACK(OnLoadFailed), this);
    g_signal_connect(view_, "web-process-terminated", G_CALLBACK(OnWebProcessGone), this);
    gtk_container_add(GTK_CONTAINER(window), GTK_WIDGET(view_));
    FitMonitor();
    gtk_widget_show_all(window_);
}

DesktopSurface::~DesktopSurface() {
    if (retry_ != 0) g_source_remove(retry_);
    g_signal_handlers_disconnect_by_data(monitor_, this);
    g_signal_handlers_disconnect_by_data(view_, this);
    gtk_widget_destroy(window_);
    g_object_unref(monitor_);
}

void DesktopSurface::FitMonitor() {
    if (layer_ == DesktopLayer::LayerShell) return;  // the compositor sizes anchored surfaces
    GdkRectangle g;
    gdk_monitor_get_geometry(monitor_, &g);
    GtkWindow* window = GTK_WINDOW(window_);
    gtk_window_move(window, g.x, g.y);
    gtk_window_set_default_size(window, g.width, g.height);
    gtk_widget_set_size_request(window_, g.width, g.height);
    gtk_window_resize(window, g.width, g.height);
}

void DesktopSurface::OnGeometry(GObject*, GParamSpec*, gpointer self) {
    static_cast<DesktopSurface*>(self)->FitMonitor();
}

gboolean DesktopSurface::OnVisibility(GtkWidget*, GdkEventVisibility* event, gpointer self) {
    auto* surface = static_cast<DesktopSurface*>(self);
    gtk_widget_set_visible(GTK_WIDGET(surface->view_),
                           event->state != GDK_VISIBILITY_FULLY_OBSCURED);
    return FALSE;
}

void DesktopSurface::Show(const std::string& uri) {
    crashes_ = 0;
    const char* shown = webkit_web_view_get_uri(view_);
    if (shown != nullptr && uri == shown)
        webkit_web_view_reload_bypass_cache(view_);
    else
        webkit_web_view_load_uri(view_, uri.c_str());
}

void DesktopSurface::Loaded() { loaded_ = true; }

void DesktopSurface::OnLoadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer self) {
    if (event == WEBKIT_LOAD_FINISHED) static_cast<DesktopSurface*>(self)->Loaded();
}

gboolean DesktopSurface::OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar*, GError*,
                                      gpointer self) {
    // A page that fails still leaves its (empty) desktop shown.
    static_cast<DesktopSurface*>(self)->Loaded();
    return FALSE;
}

void DesktopSurface::OnWebProcessGone(WebKitWebView*, WebKitWebProcessTerminationReason reason,
                                      gpointer data) {
    // The page's renderer crashed or was killed: bring the desktop back. A
    // page that keeps crashing it is tried ever less often (up to once a
    // minute), never given up for good; a new page starts afresh.
    auto* self = static_cast<DesktopSurface*>(data);
    const int crashes = ++self->crashes_;
    if (self->retry_ != 0) return;
    const guint delay = crashes <= 3 ? 1 : std::min(60u, 1u << std::min(crashes - 3, 6));
    std::fprintf(stderr,
                 "desktop-sorvane-host: the page's renderer ended (%s, %d time%s); showing it "
                 "again in %u s\n",
                 reason == WEBKIT_WEB_PROCESS_CRASHED                 ? "crashed"
                 : reason == WEBKIT_WEB_PROCESS_EXCEEDED_MEMORY_LIMIT ? "over its memory limit"
                                                                      : "ended",
                 crashes, crashes == 1 ? "" : "s", delay);
    self->retry_ = g_timeout_add_seconds(
        delay,
        [](gpointer p) -> gboolean {
            auto* s = static_cast<DesktopSurface*>(p);
            s->retry_ = 0;
            webkit_web_view_reload(s->view_);
            return G_SOURCE_REMOVE;
        },
        self);
}

uint64_t DesktopSurface::Id() const {
    if (!loaded_ || !gtk_widget_get_mapped(window_)) return 0;
    GdkWindow* window = gtk_widget_get_window(window_);
    // Withdrawn until the window manager or compositor has really shown it.
    if (window == nullptr || (gdk_window_get_state(window) & GDK_WINDOW_STATE_WITHDRAWN) != 0)
        return 0;
#ifdef GDK_WINDOWING_X11
    if (GDK_IS_X11_WINDOW(window)) return gdk_x11_window_get_xid(window);
#endif
#ifdef GDK_WINDOWING_WAYLAND
    if (GDK_IS_WAYLAND_WINDOW(window)) {
        wl_surface* surface = gdk_wayland_window_get_wl_surface(window);
        return surface ? wl_proxy_get_id(reinterpret_cast<wl_proxy*>(surface)) : 0;
    }
#endif
    return 0;
}

}  // namespace sorvane
