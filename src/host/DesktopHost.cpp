#include "DesktopHost.h"

#include <glib-unix.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "BackdropChoice.h"
#include "platform/AtomicFile.h"
#include "platform/linux/HostSocket.h"
#include "platform/linux/HostTimeouts.h"

namespace sorvane {

namespace {

// A client must send its line soon after it connects; one that doesn't is
// dropped, and never holds anyone else up meanwhile.
constexpr guint ClientTimeoutSeconds = host_timeouts::ClientLineMs / 1000;
// More connections than any real use makes: the oldest silent one goes to
// make room, so a newcomer (the program's own request) is always heard.
constexpr size_t MaxClients = 64;
// Silent connections one process may hold; its oldest goes beyond that, so
// another process that keeps connecting can't crowd the others out.
constexpr size_t MaxSilentPerProcess = 4;
// Connections taken per turn of the loop, so requests already in are read
// between a flood's connections.
constexpr int AcceptsPerTurn = 16;
// How often the running desktop shell is asked after: a /proc scan, cheap.
constexpr guint ProbeSeconds = 2;
constexpr guint LoadSeenSeconds = host_timeouts::LoadSeenMs / 1000;
constexpr guint SeenTickMs = 200;

}  // namespace

struct DesktopHost::Client {
    DesktopHost* host;
    HostConnection connection;
    pid_t pid = 0;
    gint64 since = 0;
    guint watch = 0;
    guint timer = 0;
    bool silent() const { return watch != 0; }  // no request read yet
};

namespace {

pid_t PeerProcess(int fd) {
    ucred cred{};
    socklen_t size = sizeof cred;
    return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &size) == 0 ? cred.pid : 0;
}

}  // namespace

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

DesktopHost::DesktopHost(std::unique_ptr<HostListener> listener, DesktopLayer layer,
                         bool hardwareAcceleration)
    : listener_(std::move(listener)), layer_(layer), hardwareAcceleration_(hardwareAcceleration) {
    loop_ = g_main_loop_new(nullptr, FALSE);
    Choose(ProbeDesktopShell());
    probeSource_ = g_timeout_add_seconds(ProbeSeconds, OnProbe, this);
    if (listener_) listenerSource_ = g_unix_fd_add(listener_->Fd(), G_IO_IN, OnListener, this);
}

DesktopHost::~DesktopHost() {
    if (listenerSource_ != 0) g_source_remove(listenerSource_);
    if (probeSource_ != 0) g_source_remove(probeSource_);
    if (seenSource_ != 0) g_source_remove(seenSource_);
    while (!clients_.empty()) Drop(clients_.begin()->first);
    // Gives back whatever the desktop shell's own settings held before us.
    backdrop_.reset();
    g_main_loop_unref(loop_);
}

void DesktopHost::Run() { g_main_loop_run(loop_); }
void DesktopHost::Quit() { g_main_loop_quit(loop_); }

void DesktopHost::Choose(const ShellProbe& probe) {
    if (backdrop_ && probe == probe_) return;
    if (backdrop_)
        std::fprintf(stderr, "desktop-sorvane-host: the desktop is now drawn by %s%s\n",
                     ShellName(probe.shell).c_str(),
                     probe.wallpaperClient ? ", beside a wallpaper client" : "");
    probe_ = probe;
    // The old way gives back what it changed before the new one takes over.
    backdrop_.reset();
    backdrop_ = MakeBackdrop(probe, layer_, hardwareAcceleration_);
    if (!page_.empty()) backdrop_->Show(page_);
}

gboolean DesktopHost::OnProbe(gpointer data) {
    auto* self = static_cast<DesktopHost*>(data);
    // A change counts once two probes agree: a shell restarting is gone for
    // a moment, and switching ways twice for that would only flicker.
    const ShellProbe now = ProbeDesktopShell();
    if (now == self->probe_ || !(now == self->candidate_)) {
        self->candidate_ = now;
        return G_SOURCE_CONTINUE;
    }
    self->Choose(now);
    return G_SOURCE_CONTINUE;
}

void DesktopHost::WhenSeen(guint seconds, std::function<void(const std::string&)> done) {
    waiters_.push_back(
        {g_get_monotonic_time() + gint64{seconds} * G_USEC_PER_SEC, std::move(done)});
    if (AnswerWaiters() && seenSource_ == 0)
        seenSource_ = g_timeout_add(SeenTickMs, OnSeenTick, this);
}

bool DesktopHost::AnswerWaiters() {
    const std::string problem = backdrop_->NotSeen();
    const gint64 now = g_get_monotonic_time();
    // Taken out first: a callback may add a waiter or end the loop.
    std::vector<Waiter> due;
    for (auto it = waiters_.begin(); it != waiters_.end();) {
        if (problem.empty() || now >= it->deadline) {
            due.push_back(std::move(*it));
            it = waiters_.erase(it);
        } else {
            ++it;
        }
    }
    for (Waiter& waiter : due) waiter.done(problem);
    return !waiters_.empty();
}

gboolean DesktopHost::OnSeenTick(gpointer data) {
    auto* self = static_cast<DesktopHost*>(data);
    if (self->AnswerWaiters()) return G_SOURCE_CONTINUE;
    self->seenSource_ = 0;
    return G_SOURCE_REMOVE;
}

gboolean DesktopHost::OnListener(gint, GIOCondition, gpointer data) {
    auto* self = static_cast<DesktopHost*>(data);
    for (int taken = 0; taken < AcceptsPerTurn; ++taken) {
        std::optional<HostConnection> connection = self->listener_->Accept();
        if (!connection) break;
        const int fd = connection->Fd();
        const pid_t pid = PeerProcess(fd);
        self->MakeRoomFor(pid);
        if (self->clients_.size() >= MaxClients) continue;  // all busy: closed unanswered
        auto client = std::make_unique<Client>(
            Client{self, std::move(*connection), pid, g_get_monotonic_time()});
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
        const bool shows = command && (command->verb == HostCommand::Verb::Load ||
                                       command->verb == HostCommand::Verb::Reload);
        if (reply.ok && shows) {
            // Answered once the page is seen; the client's own timer goes.
            client->watch = 0;
            if (client->timer != 0) g_source_remove(client->timer);
            client->timer = 0;
            self->WhenSeen(LoadSeenSeconds, [self, fd](const std::string& problem) {
                const auto it = self->clients_.find(fd);
                if (it == self->clients_.end()) return;
                it->second->connection.WriteLine(FormatHostReply(
                    problem.empty() ? HostReply{true, {}} : HostReply{false, problem}));
                self->Drop(fd);
            });
            return G_SOURCE_REMOVE;
        }
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

void DesktopHost::MakeRoomFor(pid_t pid) {
    // The oldest silent connection of `pid` once it holds its share; the
    // oldest silent one of all when every place is taken.
    const auto oldestSilent = [this](auto matches) {
        int oldest = -1;
        gint64 since = 0;
        size_t count = 0;
        for (const auto& [fd, client] : clients_) {
            if (!client->silent() || !matches(*client)) continue;
            ++count;
            if (oldest < 0 || client->since < since) {
                oldest = fd;
                since = client->since;
            }
        }
        return std::pair{oldest, count};
    };
    if (pid != 0) {
        const auto [fd, count] = oldestSilent([pid](const Client& c) { return c.pid == pid; });
        if (count >= MaxSilentPerProcess) Drop(fd);
    }
    if (clients_.size() >= MaxClients) {
        const auto [fd, count] = oldestSilent([](const Client&) { return true; });
        if (count > 0) Drop(fd);
    }
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
            return Show(page_);
        case HostCommand::Verb::Window:
            return {true, std::to_string(ShownWindow())};
        case HostCommand::Verb::Status: {
            std::string lines = "page: " + (page_.empty() ? "(the empty desktop)" : page_) +
                                "\ndesktop: " + ShellName(probe_.shell) +
                                (probe_.wallpaperClient ? ", with a wallpaper client" : "");
            for (const std::string& line : backdrop_->Status()) lines += '\n' + line;
            const std::string problem = backdrop_->NotSeen();
            lines += problem.empty() ? "\nthe page is seen" : "\nnot seen: " + problem;
            if (const std::string limits = backdrop_->Limits(); !limits.empty())
                lines += "\nnote: " + limits;
            return {true, lines};
        }
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
    // A page that can't be shown changes nothing on screen.
    const std::string problem = PageProblem(path);
    if (!problem.empty()) return {false, problem};
    const HostReply reply = backdrop_->Show(path);
    if (reply.ok) page_ = path;
    return reply;
}

uint64_t DesktopHost::ShownWindow() const { return backdrop_->ShownId(); }

}  // namespace sorvane
