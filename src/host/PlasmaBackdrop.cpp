#include "PlasmaBackdrop.h"

#include <filesystem>

#include "PlasmaKeptPlugins.h"
#include "PlasmaPluginFiles.h"
#include "platform/Error.h"

namespace sorvane {

namespace {

// A script touches a handful of containments: plasmashell answers at once
// unless it is busy starting.
constexpr gint CallTimeoutMs = 10000;
// How long to keep checking after a change: plasmashell makes a new screen's
// desktop, or all of them when it starts, some moments later.
constexpr int TicksAfterChange = 30;

std::string PageUrl(const std::string& path) {
    gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
    std::string out = uri ? uri : "";
    g_free(uri);
    return out;
}

bool AllShowPage(const std::vector<PlasmaDesktop>& desktops, const std::string& url) {
    if (desktops.empty()) return false;
    for (const PlasmaDesktop& d : desktops)
        if (d.plugin != PlasmaPluginId || d.page != url) return false;
    return true;
}

PlasmaAnswer RunPlasmaScript(GDBusConnection* bus, const std::string& script) {
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_sync(
        bus, "org.kde.plasmashell", "/PlasmaShell", "org.kde.PlasmaShell", "evaluateScript",
        g_variant_new("(s)", script.c_str()), G_VARIANT_TYPE("(s)"),
        G_DBUS_CALL_FLAGS_NO_AUTO_START, CallTimeoutMs, nullptr, &error);
    if (reply == nullptr) {
        const bool absent = g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_SERVICE_UNKNOWN) ||
                            g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_NAME_HAS_NO_OWNER);
        if (error != nullptr && g_dbus_error_is_remote_error(error))
            g_dbus_error_strip_remote_error(error);
        PlasmaAnswer answer{false, !absent,
                            absent ? "KDE Plasma's desktop (plasmashell) is not running."
                                   : std::string("KDE Plasma's desktop (plasmashell) does not "
                                                 "answer: ") +
                                         (error ? error->message : "unknown error")};
        g_clear_error(&error);
        return answer;
    }
    const gchar* text = nullptr;
    g_variant_get(reply, "(&s)", &text);
    PlasmaAnswer answer{true, true, text ? text : ""};
    g_variant_unref(reply);
    return answer;
}

}  // namespace

std::string GiveBackPlasmaWallpaper() {
    // Only where we ever changed Plasma's wallpaper: others' sessions are not touched.
    const std::string path = KeptPlasmaPluginsPath();
    if (!std::filesystem::exists(path)) return {};
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (bus == nullptr) return {};  // no session, so no plasmashell either
    const PlasmaAnswer answer =
        RunPlasmaScript(bus, PlasmaGiveBackScript(ReadKeptPlasmaPlugins(path)));
    g_object_unref(bus);
    return answer.ok || !answer.running ? std::string() : answer.text;
}

PlasmaBackdrop::PlasmaBackdrop() {
    GError* error = nullptr;
    bus_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (bus_ == nullptr) {
        busProblem_ = std::string(
                          "The session bus, through which KDE Plasma is reached, is not "
                          "there: ") +
                      (error ? error->message : "unknown error");
        g_clear_error(&error);
    } else {
        watch_ = g_bus_watch_name_on_connection(bus_, "org.kde.plasmashell",
                                                G_BUS_NAME_WATCHER_FLAGS_NONE, OnShellAppeared,
                                                nullptr, this, nullptr);
        activities_ = g_dbus_connection_signal_subscribe(
            bus_, "org.kde.ActivityManager", "org.kde.ActivityManager.Activities", nullptr,
            "/ActivityManager/Activities", nullptr, G_DBUS_SIGNAL_FLAGS_NONE, OnActivities, this,
            nullptr);
    }
    if (GdkDisplay* display = gdk_display_get_default())
        g_signal_connect(display, "monitor-added", G_CALLBACK(OnMonitorAdded), this);
}

PlasmaBackdrop::~PlasmaBackdrop() {
    if (GdkDisplay* display = gdk_display_get_default())
        g_signal_handlers_disconnect_by_data(display, this);
    if (tick_ != 0) g_source_remove(tick_);
    if (watch_ != 0) g_bus_unwatch_name(watch_);
    if (activities_ != 0) g_dbus_connection_signal_unsubscribe(bus_, activities_);
    if (bus_ != nullptr) {
        const HostReply back = GiveBack();
        if (!back.ok) g_printerr("desktop-sorvane-host: %s\n", back.detail.c_str());
        g_object_unref(bus_);
    }
}

PlasmaAnswer PlasmaBackdrop::Run(const std::string& script) const {
    if (bus_ == nullptr) return {false, false, busProblem_};
    return RunPlasmaScript(bus_, script);
}

std::optional<std::vector<PlasmaDesktop>> PlasmaBackdrop::Desktops(std::string& problem) const {
    const PlasmaAnswer answer = Run(PlasmaReadScript());
    if (!answer.ok) {
        problem = answer.text;
        return std::nullopt;
    }
    std::optional<std::vector<PlasmaDesktop>> desktops = ParsePlasmaDesktops(answer.text);
    if (!desktops) problem = "KDE Plasma's desktop (plasmashell) answered what we cannot read.";
    return desktops;
}

HostReply PlasmaBackdrop::Show(const std::string& pagePath) {
    if (pagePath.empty()) {
        pageUrl_.clear();
        return GiveBack();
    }
    const std::string url = PageUrl(pagePath);
    if (url.empty()) return {false, "The page " + pagePath + " has no file URL."};
    // Never a plugin Plasma can't find: it would show an error as the wallpaper.
    const std::string placed = PlacePlasmaPlugin();
    if (!placed.empty()) return {false, placed};
    pageUrl_ = url;
    // Kept even when plasmashell is away: it gets the page once it is back.
    KeepApplying();
    return Apply(false);
}

HostReply PlasmaBackdrop::Apply(bool missingOnly) {
    std::string problem;
    const std::optional<std::vector<PlasmaDesktop>> desktops = Desktops(problem);
    if (!desktops) return {false, problem};
    if (desktops->empty()) return {false, "KDE Plasma shows no desktop yet."};
    // Kept on disk before anything changes, so that even a crash loses nothing.
    const std::string path = KeptPlasmaPluginsPath();
    try {
        WriteKeptPlasmaPlugins(path, KeepPlasmaPlugins(ReadKeptPlasmaPlugins(path), *desktops));
    } catch (const Error& e) {
        return {false, std::string("The desktop's own wallpaper could not be kept: ") + e.what()};
    }
    std::vector<int> ids;
    for (const PlasmaDesktop& d : *desktops)
        if (!missingOnly || d.plugin != PlasmaPluginId || d.page != pageUrl_) ids.push_back(d.id);
    const PlasmaAnswer answer = Run(PlasmaApplyScript(pageUrl_, ids));
    if (!answer.ok) return {false, answer.text};
    return {true, {}};
}

HostReply PlasmaBackdrop::GiveBack() {
    const std::string path = KeptPlasmaPluginsPath();
    // The file stays: plasmashell writes its settings to disk some seconds
    // later, and one that ends before then starts again with ours.
    const PlasmaAnswer answer = Run(PlasmaGiveBackScript(ReadKeptPlasmaPlugins(path)));
    if (!answer.ok) return {false, answer.text};
    return {true, {}};
}

void PlasmaBackdrop::KeepApplying() {
    ticksLeft_ = TicksAfterChange;
    if (tick_ == 0) tick_ = g_timeout_add_seconds(1, OnTick, this);
}

gboolean PlasmaBackdrop::OnTick(gpointer data) {
    auto* self = static_cast<PlasmaBackdrop*>(data);
    bool settled = self->pageUrl_.empty();
    if (!settled) {
        std::string problem;
        const std::optional<std::vector<PlasmaDesktop>> desktops = self->Desktops(problem);
        settled = desktops && AllShowPage(*desktops, self->pageUrl_);
        // Only what is not ours yet changes: a page shown already is not loaded again.
        if (desktops && !desktops->empty() && !settled) self->Apply(true);
    }
    if (settled || --self->ticksLeft_ <= 0) {
        self->tick_ = 0;
        return G_SOURCE_REMOVE;
    }
    return G_SOURCE_CONTINUE;
}

void PlasmaBackdrop::OnShellAppeared(GDBusConnection*, const gchar*, const gchar*, gpointer data) {
    auto* self = static_cast<PlasmaBackdrop*>(data);
    if (!self->pageUrl_.empty()) {
        // A plasmashell that starts after us may not know the plugin yet.
        if (PlacePlasmaPlugin().empty()) self->KeepApplying();
    }
}

void PlasmaBackdrop::OnActivities(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                                  const gchar* signal, GVariant*, gpointer data) {
    auto* self = static_cast<PlasmaBackdrop*>(data);
    const std::string name = signal ? signal : "";
    if (!self->pageUrl_.empty() && (name == "ActivityAdded" || name == "CurrentActivityChanged"))
        self->KeepApplying();
}

void PlasmaBackdrop::OnMonitorAdded(GdkDisplay*, GdkMonitor*, gpointer data) {
    auto* self = static_cast<PlasmaBackdrop*>(data);
    if (!self->pageUrl_.empty()) self->KeepApplying();
}

std::string PlasmaBackdrop::NotSeen() const {
    std::string problem;
    const std::optional<std::vector<PlasmaDesktop>> desktops = Desktops(problem);
    if (!desktops) return problem;
    if (pageUrl_.empty()) return {};
    return PlasmaNotSeen(*desktops, pageUrl_);
}

std::vector<std::string> PlasmaBackdrop::Status() const {
    std::string problem;
    const std::optional<std::vector<PlasmaDesktop>> desktops = Desktops(problem);
    if (!desktops) return {problem};
    std::vector<std::string> lines;
    for (const PlasmaDesktop& d : *desktops) {
        if (d.screen < 0) continue;
        lines.push_back("screen " + std::to_string(d.screen) + ": " +
                        (d.plugin == PlasmaPluginId
                             ? std::string("KDE Plasma's wallpaper plugin")
                             : "KDE Plasma's own wallpaper (" + d.plugin + ")"));
    }
    return lines;
}

uint64_t PlasmaBackdrop::ShownId() const {
    std::string problem;
    const std::optional<std::vector<PlasmaDesktop>> desktops = Desktops(problem);
    if (!desktops) return 0;
    if (!pageUrl_.empty() && !PlasmaNotSeen(*desktops, pageUrl_).empty()) return 0;
    for (const PlasmaDesktop& d : *desktops)
        if (d.screen >= 0) return d.id > 0 ? static_cast<uint64_t>(d.id) : 1;
    return 0;
}

}  // namespace sorvane
