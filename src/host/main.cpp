// desktop-sorvane-host: the desktop that shows the wallpaper page.
#include <glib-unix.h>
#include <gtk-layer-shell.h>
#include <gtk/gtk.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "DesktopHost.h"
#include "HostArguments.h"
#include "HostStart.h"
#include "PlasmaBackdrop.h"
#include "SessionProbe.h"
#include "platform/Error.h"
#include "platform/linux/AutostartEntry.h"
#include "platform/linux/HostSocket.h"
#include "platform/linux/LinuxActiveDesktop.h"
#include "registry/SqliteRegistryBackend.h"

using namespace sorvane;

namespace {

// Long enough for a host that is still starting its engine.
constexpr int AnswerTimeoutMs = 30000;
// How long a new host waits for its page to be seen before it gives up,
// saying why; within the starter's own wait for the report.
constexpr guint ShownTimeoutSeconds = 20;

// Hands the request to the running host and prints its answer.
int HandOver(const std::string& folder, const HostCommand& command) {
    const std::string line = FormatHostCommand(command);
    // A host that holds the place may still be binding its socket: try a while.
    for (int attempt = 0; attempt < 50; ++attempt) {
        const std::optional<std::string> answer = SendToHost(folder, line, AnswerTimeoutMs);
        if (answer) {
            const HostReply reply = ParseHostReply(*answer);
            if (!reply.ok) {
                std::fprintf(stderr, "desktop-sorvane-host: %s\n", reply.detail.c_str());
                return 1;
            }
            if (command.verb == HostCommand::Verb::Window ||
                command.verb == HostCommand::Verb::Status)
                std::printf("%s\n", reply.detail.c_str());
            return 0;
        }
        if (command.verb == HostCommand::Verb::Quit || command.verb == HostCommand::Verb::Window ||
            command.verb == HostCommand::Verb::Status)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (command.verb == HostCommand::Verb::Window) {
        std::printf("0\n");
        return 0;
    }
    if (command.verb == HostCommand::Verb::Quit) return 0;  // nothing runs: nothing to close
    if (command.verb == HostCommand::Verb::Status) {
        std::printf("no desktop host runs\n");
        return 0;
    }
    std::fprintf(stderr, "desktop-sorvane-host: another host holds %s but does not answer.\n",
                 folder.c_str());
    return 1;
}

// At login: the entry may be left from a show the user has since replaced or
// whose page is gone. Then nothing is shown and the entry goes.
bool StillTheWallpaper(const std::string& page) {
    std::string setting;
    try {
        setting = ReadWallpaperSetting(OpenDefaultRegistryStore());
    } catch (const Error&) {
        return false;
    }
    return !page.empty() && setting == page && PageProblem(page).empty();
}

bool HardwareAcceleration() {
    const char* value = std::getenv("DESKTOP_SORVANE_HARDWARE_ACCELERATION");
    return value != nullptr && std::strcmp(value, "1") == 0;
}

}  // namespace

int main(int argc, char** argv) {
    const HostArguments args = ParseHostArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (args.help || !args.error.empty()) {
        if (!args.error.empty())
            std::fprintf(stderr, "desktop-sorvane-host: %s\n", args.error.c_str());
        std::fputs(HostUsage().c_str(), args.help ? stdout : stderr);
        return args.help ? 0 : 2;
    }
    if (args.stop) {
        try {
            StopDesktopSlideShow(OpenDefaultRegistryStore(), HostSocketFolder());
        } catch (const Error& e) {
            std::fprintf(stderr, "desktop-sorvane-host: %s\n", e.what());
            return 1;
        }
        // A host that ended without giving Plasma's wallpaper back (a crash)
        // left our page there; a running host gives it back as well.
        const std::string plasma = GiveBackPlasmaWallpaper();
        if (!plasma.empty()) {
            std::fprintf(stderr, "desktop-sorvane-host: %s\n", plasma.c_str());
            return 1;
        }
        return 0;
    }
    if (args.login && !StillTheWallpaper(args.command.path)) {
        try {
            RemoveAutostartEntry();
        } catch (const Error&) {
        }
        return 0;
    }

    const std::string folder = HostSocketFolder();
    std::unique_ptr<HostListener> listener;
    std::shared_ptr<RegistryBackend> registry;
    std::string page;
    try {
        const bool startsHost = args.command.verb == HostCommand::Verb::Reload ||
                                args.command.verb == HostCommand::Verb::Load;
        if (startsHost) listener = HostListener::Open(folder);
        if (!listener) return HandOver(folder, args.command);
        registry = OpenDefaultRegistryStore();
        page = args.command.verb == HostCommand::Verb::Load ? args.command.path
                                                            : ReadWallpaperSetting(registry);
    } catch (const Error& e) {
        std::fprintf(stderr, "desktop-sorvane-host: %s\n", e.what());
        return 1;
    }

    // A new host: only for a page it can show (none yet is the empty desktop,
    // which Set Wallpaper then fills), in a session that has a place for a
    // desktop. Refusals come before anything is put on screen.
    std::string problem = PageProblem(page);
    const SessionChoice session = ProbeSession();
    if (problem.empty()) problem = session.problem;
    if (!problem.empty()) {
        std::fprintf(stderr, "desktop-sorvane-host: %s\n", problem.c_str());
        return 1;
    }

    HostStart start(args.foreground);
    // GTK talks to exactly the kind of display the probe found.
    // The page's script is a few lines a frame, which the interpreter runs
    // well; without the JIT its process needs about a fifth less memory, for
    // days. A value the user set stays.
    setenv("JSC_useJIT", "0", 0);
    gdk_set_allowed_backends(session.layer == DesktopLayer::LayerShell ? "wayland" : "x11");
    g_set_prgname("desktop-sorvane-host");
    if (!gtk_init_check(&argc, &argv)) {
        start.Report("The display of this session (" + SessionName() + ") could not be opened.");
        return 1;
    }
    if (session.layer == DesktopLayer::LayerShell && !gtk_layer_is_supported()) {
        start.Report("The compositor of this session (" + SessionName() +
                     ") stopped offering its background layer.");
        return 1;
    }

    DesktopHost host(std::move(listener), registry, session.layer, HardwareAcceleration());
    // SIGTERM and SIGINT end the loop, so the socket is removed on the way out.
    for (int sig : {SIGTERM, SIGINT})
        g_unix_signal_add(
            sig,
            [](gpointer h) -> gboolean {
                static_cast<DesktopHost*>(h)->Quit();
                return G_SOURCE_CONTINUE;
            },
            &host);
    const HostReply first = host.Handle({HostCommand::Verb::Load, page});
    if (!first.ok) {
        start.Report(first.detail);
        return 1;
    }
    // Up only once the page is seen; a desktop that never shows it is no
    // start: say why and leave the desktop as it was.
    bool seen = false;
    host.WhenSeen(ShownTimeoutSeconds, [&](const std::string& problem) {
        seen = problem.empty();
        start.Report(problem);
        if (!seen) host.Quit();
    });
    host.Run();
    if (!seen) return 1;
    start.Report({});
    return 0;
}
