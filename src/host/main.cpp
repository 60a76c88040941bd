// desktop-sorvane-host: the desktop that shows the wallpaper page.
#include <fcntl.h>
#include <unistd.h>
#include <QApplication>
#include <QLoggingCategory>
#include <QSocketNotifier>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>
#include <vector>

#include "DesktopHost.h"
#include "HostArguments.h"
#include "HostEnvironment.h"
#include "platform/Error.h"
#include "platform/linux/HostSocket.h"
#include "registry/SqliteRegistryBackend.h"

using namespace sorvane;

namespace {

// Long enough for a host that is still starting its engine.
constexpr int AnswerTimeoutMs = 30000;

int g_signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = write(g_signalPipe[1], &byte, 1);
}

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
            if (command.verb == HostCommand::Verb::Window)
                std::printf("%s\n", reply.detail.c_str());
            return 0;
        }
        if (command.verb == HostCommand::Verb::Quit || command.verb == HostCommand::Verb::Window)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (command.verb == HostCommand::Verb::Window) {
        std::printf("0\n");
        return 0;
    }
    if (command.verb == HostCommand::Verb::Quit) return 0;  // nothing runs: nothing to close
    std::fprintf(stderr, "desktop-sorvane-host: another host holds %s but does not answer.\n",
                 folder.c_str());
    return 1;
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
    std::unique_ptr<HostListener> listener;
    try {
        const bool startsHost = args.command.verb == HostCommand::Verb::Reload ||
                                args.command.verb == HostCommand::Verb::Load;
        if (startsHost) listener = HostListener::Open(folder);
        if (!listener) return HandOver(folder, args.command);
    } catch (const Error& e) {
        std::fprintf(stderr, "desktop-sorvane-host: %s\n", e.what());
        return 1;
    }

    PrepareHostEnvironment();
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName("desktop-sorvane-host");
    QApplication::setQuitOnLastWindowClosed(false);
    // The engine's start-up report is of no use on a desktop; warnings still
    // show, and the user's QT_LOGGING_RULES still win.
    QLoggingCategory::setFilterRules("qt.webenginecontext.info=false");

    // SIGTERM and SIGINT end the loop so the socket is removed on the way out.
    if (pipe2(g_signalPipe, O_CLOEXEC) == 0) {
        std::signal(SIGTERM, OnSignal);
        std::signal(SIGINT, OnSignal);
        auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, &QApplication::quit);
    }

    DesktopHost host(std::move(listener), OpenDefaultRegistryStore());
    QObject::connect(&host, &DesktopHost::QuitRequested, &app, &QApplication::quit);
    const HostReply first = host.Handle(args.command);
    if (!first.ok) std::fprintf(stderr, "desktop-sorvane-host: %s\n", first.detail.c_str());
    return app.exec();
}
