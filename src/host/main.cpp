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
#include "platform/linux/HostSocket.h"
#include "platform/linux/HostTimeouts.h"

using namespace sorvane;

namespace {

// Hands the request to the running host and prints its answer; "" when it
// was carried out (or, for a question or quit, when no host runs), else why not.
std::string HandOver(const std::string& folder, const HostCommand& command) {
    const std::string line = FormatHostCommand(command);
    const bool shows =
        command.verb == HostCommand::Verb::Load || command.verb == HostCommand::Verb::Reload;
    try {
        // A host that holds the place may still be binding its socket: try a while.
        for (int attempt = 0; attempt < 50; ++attempt) {
            const std::optional<std::string> answer =
                SendToHost(folder, line, host_timeouts::AnswerMs);
            if (answer) {
                const HostReply reply = ParseHostReply(*answer);
                if (!reply.ok) return reply.detail;
                if (command.verb == HostCommand::Verb::Window ||
                    command.verb == HostCommand::Verb::Status)
                    std::printf("%s\n", reply.detail.c_str());
                return {};
            }
            if (!shows) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    } catch (const Error& e) {
        return e.what();
    }
    if (command.verb == HostCommand::Verb::Window) std::printf("0\n");
    if (command.verb == HostCommand::Verb::Status) std::printf("no desktop host runs\n");
    if (!shows) return {};  // nothing runs: nothing to ask or close
    return "Another host holds " + folder + " but does not answer.";
}

int Failed(const std::string& problem) {
    std::fprintf(stderr, "desktop-sorvane-host: %s\n", problem.c_str());
    return 1;
}

// Closes the running host, and gives back the desktop a host that crashed
// left with our page (Plasma keeps our plugin until told otherwise).
int Stop(const std::string& folder) {
    if (const std::string problem = HandOver(folder, {HostCommand::Verb::Quit, {}});
        !problem.empty())
        return Failed(problem);
    if (const std::string plasma = GiveBackPlasmaWallpaper(); !plasma.empty())
        return Failed(plasma);
    return 0;
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
    const std::string folder = HostSocketFolder();
    if (args.stop) return Stop(folder);
    const HostCommand& command = args.command;
    if (command.verb != HostCommand::Verb::Load && command.verb != HostCommand::Verb::Reload) {
        const std::string problem = HandOver(folder, command);
        return problem.empty() ? 0 : Failed(problem);
    }
    // At login the entry names the page it was written for; the program
    // rewrites or removes the entry whenever the wallpaper changes, so a page
    // that is gone is only logged: it may be back (a disk mounted late).
    if (args.login) {
        if (const std::string problem = PageProblem(command.path); !problem.empty()) {
            std::fprintf(stderr, "desktop-sorvane-host: at login: %s\n", problem.c_str());
            return 0;
        }
    }

    // Before any library has state (display connections, threads), so the
    // host that stays holds nothing of its caller's.
    HostStart start = DetachFromCaller(args.foreground);

    std::unique_ptr<HostListener> listener;
    try {
        listener = HostListener::Open(folder);
    } catch (const Error& e) {
        start.Report(e.what());
        return 1;
    }
    if (!listener) {
        // Another host runs: it takes the request (`reload` reloads its page).
        const std::string problem = HandOver(folder, command);
        start.Report(problem);
        return problem.empty() ? 0 : 1;
    }

    // A new host: only for a page it can show (`reload` with none running is
    // the empty desktop, which Set Wallpaper then fills), in a session that
    // has a place for a desktop. Refusals come before anything is on screen.
    const std::string page = command.verb == HostCommand::Verb::Load ? command.path : "";
    std::string problem = PageProblem(page);
    const SessionChoice session = ProbeSession();
    if (problem.empty()) problem = session.problem;
    if (!problem.empty()) {
        start.Report(problem);
        return 1;
    }

    // The page's script is a few lines a frame, which the interpreter runs
    // well; without the JIT its process needs about a fifth less memory, for
    // days. A value the user set stays.
    setenv("JSC_useJIT", "0", 0);
    // GTK talks to exactly the kind of display the probe found.
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

    DesktopHost host(std::move(listener), session.layer, HardwareAcceleration());
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
    host.WhenSeen(host_timeouts::StartSeenMs / 1000, [&](const std::string& problem) {
        seen = problem.empty();
        start.Report(problem);
        if (!seen) host.Quit();
    });
    host.Run();
    if (!seen) return 1;
    start.Report({});
    return 0;
}
