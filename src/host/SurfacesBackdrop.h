#pragma once

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Backdrop.h"
#include "SessionProbe.h"

namespace sorvane {

class DesktopSurface;

// The page on our own surfaces: one per monitor, below every window, all in
// one web process. Where another client holds a wlroots compositor's
// background layer (swaybg), ours go one layer up, where they are seen.
class SurfacesBackdrop : public Backdrop {
  public:
    SurfacesBackdrop(DesktopLayer layer, bool aboveWallpaperClient, bool hardwareAcceleration);
    ~SurfacesBackdrop() override;

    HostReply Show(const std::string& pagePath) override;
    std::string NotSeen() const override;
    std::vector<std::string> Status() const override;
    uint64_t ShownId() const override;

  private:
    static void OnMonitorAdded(GdkDisplay*, GdkMonitor* monitor, gpointer self);
    static void OnMonitorRemoved(GdkDisplay*, GdkMonitor* monitor, gpointer self);
    void AddSurface(GdkMonitor* monitor);
    std::string Way() const;

    DesktopLayer layer_;
    bool aboveWallpaperClient_;
    bool hardwareAcceleration_;
    WebKitWebContext* context_ = nullptr;
    std::map<GdkMonitor*, std::unique_ptr<DesktopSurface>> surfaces_;
    std::string uri_;
};

}  // namespace sorvane
