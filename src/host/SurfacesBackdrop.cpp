#include "SurfacesBackdrop.h"

#include "DesktopSurface.h"
#include "MonitorName.h"

namespace sorvane {

namespace {

// Where the page's process starts to give memory back (a fraction of this,
// the engine's thresholds, is when it begins).
constexpr guint MemoryLimitMiB = 100;

std::string PageUri(const std::string& path) {
    if (path.empty()) return "about:blank";
    gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
    std::string out = uri ? uri : "about:blank";
    g_free(uri);
    return out;
}

}  // namespace

SurfacesBackdrop::SurfacesBackdrop(DesktopLayer layer, bool aboveWallpaperClient,
                                   bool hardwareAcceleration)
    : layer_(layer),
      aboveWallpaperClient_(aboveWallpaperClient && layer == DesktopLayer::LayerShell),
      hardwareAcceleration_(hardwareAcceleration) {
    // Nothing of ours goes to disk: no cache, no cookies, no local storage.
    WebKitWebsiteDataManager* data = webkit_website_data_manager_new_ephemeral();
    // A desktop lives for days beside the user's work: the page's process
    // gives back its caches early rather than grow.
    WebKitMemoryPressureSettings* memory = webkit_memory_pressure_settings_new();
    webkit_memory_pressure_settings_set_memory_limit(memory, MemoryLimitMiB);
    context_ = WEBKIT_WEB_CONTEXT(g_object_new(WEBKIT_TYPE_WEB_CONTEXT, "website-data-manager",
                                               data, "memory-pressure-settings", memory, nullptr));
    webkit_memory_pressure_settings_free(memory);
    g_object_unref(data);
    webkit_web_context_set_cache_model(context_, WEBKIT_CACHE_MODEL_DOCUMENT_VIEWER);

    GdkDisplay* display = gdk_display_get_default();
    for (int i = 0; i < gdk_display_get_n_monitors(display); ++i)
        AddSurface(gdk_display_get_monitor(display, i));
    g_signal_connect(display, "monitor-added", G_CALLBACK(OnMonitorAdded), this);
    g_signal_connect(display, "monitor-removed", G_CALLBACK(OnMonitorRemoved), this);
}

SurfacesBackdrop::~SurfacesBackdrop() {
    g_signal_handlers_disconnect_by_data(gdk_display_get_default(), this);
    surfaces_.clear();
    g_object_unref(context_);
}

void SurfacesBackdrop::AddSurface(GdkMonitor* monitor) {
    // Later monitors share the first one's web process.
    WebKitWebView* related = surfaces_.empty() ? nullptr : surfaces_.begin()->second->View();
    auto surface = std::make_unique<DesktopSurface>(monitor, layer_, aboveWallpaperClient_,
                                                    context_, related, hardwareAcceleration_);
    if (!uri_.empty()) surface->Show(uri_);
    surfaces_[monitor] = std::move(surface);
}

void SurfacesBackdrop::OnMonitorAdded(GdkDisplay*, GdkMonitor* monitor, gpointer self) {
    static_cast<SurfacesBackdrop*>(self)->AddSurface(monitor);
}

void SurfacesBackdrop::OnMonitorRemoved(GdkDisplay*, GdkMonitor* monitor, gpointer self) {
    static_cast<SurfacesBackdrop*>(self)->surfaces_.erase(monitor);
}

HostReply SurfacesBackdrop::Show(const std::string& pagePath) {
    uri_ = PageUri(pagePath);
    for (auto& [monitor, surface] : surfaces_) surface->Show(uri_);
    return {true, {}};
}

std::string SurfacesBackdrop::NotSeen() const {
    if (surfaces_.empty()) return "The session shows no monitor to put the desktop on.";
    for (const auto& [monitor, surface] : surfaces_)
        if (surface->Id() == 0)
            return "The page has not appeared on " + MonitorName(monitor) + " yet.";
    return {};
}

std::string SurfacesBackdrop::Way() const {
    if (layer_ == DesktopLayer::X11Desktop) return "our desktop window (X11, below all windows)";
    return aboveWallpaperClient_
               ? "our surface in the compositor's bottom layer, above the wallpaper client"
               : "our surface in the compositor's background layer";
}

std::vector<std::string> SurfacesBackdrop::Status() const {
    std::vector<std::string> out;
    for (const auto& [monitor, surface] : surfaces_) {
        std::string line = MonitorName(monitor) + ": " + Way() +
                           (surface->Id() != 0 ? ", shown" : ", not shown yet");
        if (const int crashes = surface->Crashes(); crashes > 0)
            line += ", its renderer ended " + std::to_string(crashes) + " time" +
                    (crashes == 1 ? "" : "s") + " since the page was loaded";
        out.push_back(line);
    }
    return out;
}

uint64_t SurfacesBackdrop::ShownId() const {
    GdkMonitor* primary = gdk_display_get_primary_monitor(gdk_display_get_default());
    uint64_t any = 0;
    for (const auto& [monitor, surface] : surfaces_) {
        const uint64_t id = surface->Id();
        if (id != 0 && monitor == primary) return id;
        if (any == 0) any = id;
    }
    return any;
}

}  // namespace sorvane
