#include "HostLauncher.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>

#include "HostTimeouts.h"
#include "platform/Translate.h"

extern char** environ;

namespace sorvane {

namespace {

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    constexpr std::string_view prefix = "desktop-sorvane-host: ";
    if (text.starts_with(prefix)) text.erase(0, prefix.size());
    return text;
}

}  // namespace

std::string RunHostProgram(const std::string& program, const std::vector<std::string>& args) {
    if (program.empty())
        return SORVANE_TR("Sorvane", "The desktop host (desktop-sorvane-host) is not installed.");
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        return TrArg(SORVANE_TR("Sorvane", "No pipe for the desktop host: %1"),
                     {std::strerror(errno)});

    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, out[1], 2);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return TrArg(SORVANE_TR("Sorvane", "The desktop host %1 can't be started: %2"),
                     {program, std::strerror(spawned)});
    }

    // Read until the starter exits (it closes the pipe; the detached host
    // holds no end of it) or the time is up.
    std::string said;
    bool ended = false;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(host_timeouts::LauncherMs);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) break;
        pollfd p{out[0], POLLIN, 0};
        const int ready = poll(&p, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;
        char chunk[1024];
        const ssize_t n = read(out[0], chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ended = true;
            break;
        }
        if (said.size() < 4096) said.append(chunk, static_cast<size_t>(n));
    }
    close(out[0]);
    int status = 0;
    pid_t waited = waitpid(pid, &status, ended ? 0 : WNOHANG);
    if (waited == 0) {
        // It outlived every wait it should have: no answer is no success.
        kill(pid, SIGKILL);
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        return TrArg(SORVANE_TR("Sorvane",
                                "The desktop host did not answer within %1 s; whether "
                                "it shows the page is not known."),
                     {std::to_string(host_timeouts::LauncherMs / 1000)});
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return {};
    const std::string text = Trimmed(said);
    return text.empty() ? SORVANE_TR("Sorvane", "The desktop host could not start.") : text;
}

}  // namespace sorvane
