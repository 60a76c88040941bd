#pragma once

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <cstdint>
#include <string>

#include "SessionProbe.h"

namespace sorvane {

// The desktop on one monitor: a borderless window below everything (a
// background layer surface, or an X11 window of type DESKTOP) that holds a
// web view showing the wallpaper page.
class DesktopSurface {
  public:
    // `related`: a view whose web process this one shares (none for the first).
    // `aboveWallpaperClient`: on a layer-shell compositor, go one layer above
    // the background, which another client (swaybg) already holds.
    DesktopSurface(GdkMonitor* monitor, DesktopLayer layer, bool aboveWallpaperClient,
                   WebKitWebContext* context, WebKitWebView* related, bool hardwareAcceleration);
    ~DesktopSurface();
    DesktopSurface(const DesktopSurface&) = delete;
    DesktopSurface& operator=(const DesktopSurface&) = delete;

    // Loads `uri`, or reloads it from disk when it is already shown.
    void Show(const std::string& uri);
    // The shown surface's id (the X window, else the Wayland surface), 0 until
    // a first page has loaded in it.
    uint64_t Id() const;
    GdkMonitor* Monitor() const { return monitor_; }
    // How often the page's renderer ended since the page was last shown.
    int Crashes() const { return crashes_; }
    WebKitWebView* View() const { return view_; }

  private:
    static void OnLoadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer self);
    static gboolean OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar*, GError*, gpointer self);
    static void OnGeometry(GObject*, GParamSpec*, gpointer self);
    static gboolean OnVisibility(GtkWidget*, GdkEventVisibility* event, gpointer self);
    static void OnWebProcessGone(WebKitWebView*, WebKitWebProcessTerminationReason, gpointer self);
    void Loaded();
    void FitMonitor();

    GdkMonitor* monitor_;
    DesktopLayer layer_;
    GtkWidget* window_ = nullptr;
    WebKitWebView* view_ = nullptr;
    bool loaded_ = false;
    int crashes_ = 0;
    guint retry_ = 0;
};

}  // namespace sorvane
