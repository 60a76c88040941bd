#include "DesktopHost.h"

#include <glib-unix.h>
#include <sys/stat.h>
#include <unistd.h>

#include "DesktopSurface.h"
#include "platform/AtomicFile.h"
#include "platform/linux/HostSocket.h"
#include "platform/linux/LinuxActiveDesktop.h"

namespace sorvane {

namespace {

// A client must send its line soon after it connects; one that doesn't is
// dropped, and never holds anyone else up meanwhile.
constexpr guint ClientTimeoutSeconds = 10;
// More waiting clients than any real use makes are turned away.
constexpr size_t MaxClients = 64;
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

struct DesktopHost::Client {
    DesktopHost* host;
    HostConnection connection;
    guint watch = 0;
    guint timer = 0;
};

std::string PageProblem(const std::string& path) {
    if (path.empty()) return {};
    if (path.find('\0') != std::string::npos) return "A page path with a NUL character is refused.";
    // The file layer's open never waits on a FIFO by the page's name.
    const int fd = OpenRegularFile(path);
    if (fd >= 0) {
        ::close(fd);
        return {};
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return "The page " + path + " does not exist.";
    if (!S_ISREG(st.st_mode)) return "The page " + path + " does not exist as a file.";
    return "The page " + path + " can't be read.";
}

DesktopHost::DesktopHost(std::unique_ptr<HostListener> listener,
                         std::shared_ptr<RegistryBackend> registry, DesktopLayer layer,
                         bool hardwareAcceleration)
    : listener_(std::move(listener)),
      registry_(std::move(registry)),
      layer_(layer),
      hardwareAcceleration_(hardwareAcceleration) {
    loop_ = g_main_loop_new(nullptr, FALSE);
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

    if (listener_) listenerSource_ = g_unix_fd_add(listener_->Fd(), G_IO_IN, OnListener, this);
}

DesktopHost::~DesktopHost() {
    if (listenerSource_ != 0) g_source_remove(listenerSource_);
    while (!clients_.empty()) Drop(clients_.begin()->first);
    g_signal_handlers_disconnect_by_data(gdk_display_get_default(), this);
    surfaces_.clear();
    g_object_unref(context_);
    g_main_loop_unref(loop_);
}

void DesktopHost::Run() { g_main_loop_run(loop_); }
void DesktopHost::Quit() { g_main_loop_quit(loop_); }

void DesktopHost::OnShown(std::function<void()> done) {
    if (ShownWindow() != 0) {
        done();
        return;
    }
    shown_ = std::move(done);
}

void DesktopHost::AddSurface(GdkMonitor* monitor) {
    // Later monitors share the first one's web process.
    WebKitWebView* related = surfaces_.empty() ? nullptr : surfaces_.begin()->second->View();
    auto surface =
        std::make_unique<DesktopSurface>(monitor, layer_, context_, related, hardwareAcceleration_);
    surface->OnFirstLoad([this] {
        if (shown_) {
            auto done = std::move(shown_);
            shown_ = nullptr;
            done();
        }
    });
    if (!uri_.empty()) surface->Show(uri_);
    surfaces_[monitor] = std::move(surface);
}

void DesktopHost::OnMonitorAdded(GdkDisplay*, GdkMonitor* monitor, gpointer self) {
    static_cast<DesktopHost*>(self)->AddSurface(monitor);
}

void DesktopHost::OnMonitorRemoved(GdkDisplay*, GdkMonitor* monitor, gpointer self) {
    static_cast<DesktopHost*>(self)->surfaces_.erase(monitor);
}

gboolean DesktopHost::OnListener(gint, GIOCondition, gpointer data) {
    auto* self = static_cast<DesktopHost*>(data);
    while (std::optional<HostConnection> connection = self->listener_->Accept()) {
        if (self->clients_.size() >= MaxClients) continue;  // closed unanswered
        const int fd = connection->Fd();
        auto client = std::make_unique<Client>(Client{self, std::move(*connection)});
        client->watch = g_unix_fd_add(fd, static_cast<GIOCondition>(G_IO_IN | G_IO_HUP | G_IO_ERR),
                                      OnClient, client.get());
        client->timer = g_timeout_add_seconds(ClientTimeoutSeconds, OnClientTimeout, client.get());
        self->clients_[fd] = std::move(client);
    }
    return G_SOURCE_CONTINUE;
}

gboolean DesktopHost::OnClient(gint fd, GIOCondition, gpointer data) {
    auto* client = static_cast<Client*>(data);
    DesktopHost* self = client->host;
    const bool open = client->connection.ReadAvailable();
    if (std::optional<std::string> line = client->connection.TakeLine()) {
        const std::optional<HostCommand> command = ParseHostCommand(*line);
        const HostReply reply =
            command ? self->Handle(*command) : HostReply{false, "Unknown request: " + *line};
        client->connection.WriteLine(FormatHostReply(reply));
    } else if (open) {
        return G_SOURCE_CONTINUE;  // the rest of the line is still coming
    }
    client->watch = 0;  // removed by our return value
    self->Drop(fd);
    return G_SOURCE_REMOVE;
}

gboolean DesktopHost::OnClientTimeout(gpointer data) {
    auto* client = static_cast<Client*>(data);
    client->timer = 0;
    client->host->Drop(client->connection.Fd());
    return G_SOURCE_REMOVE;
}

void DesktopHost::Drop(int fd) {
    const auto it = clients_.find(fd);
    if (it == clients_.end()) return;
    if (it->second->watch != 0) g_source_remove(it->second->watch);
    if (it->second->timer != 0) g_source_remove(it->second->timer);
    clients_.erase(it);
}

HostReply DesktopHost::Handle(const HostCommand& command) {
    switch (command.verb) {
        case HostCommand::Verb::Load:
            return Show(command.path);
        case HostCommand::Verb::Reload:
            return Show(ReadWallpaperSetting(registry_));
        case HostCommand::Verb::Window:
            return {true, std::to_string(ShownWindow())};
        case HostCommand::Verb::Quit:
            // Answer first; the loop ends once the answer is out.
            g_idle_add(
                [](gpointer loop) -> gboolean {
                    g_main_loop_quit(static_cast<GMainLoop*>(loop));
                    return G_SOURCE_REMOVE;
                },
                loop_);
            return {true, {}};
    }
    return {false, "Unknown request."};
}

HostReply DesktopHost::Show(const std::string& path) {
    // A page that can't be shown changes nothing on screen; the saved
    // setting still names it, so a reload once it exists shows it.
    const std::string problem = PageProblem(path);
    if (!problem.empty()) return {false, problem};
    uri_ = PageUri(path);
    for (auto& [monitor, surface] : surfaces_) surface->Show(uri_);
    return {true, {}};
}

uint64_t DesktopHost::ShownWindow() const {
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
