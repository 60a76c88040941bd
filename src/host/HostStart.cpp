#include "HostStart.h"

#include "HostFolders.h"
#include "platform/linux/HostTimeouts.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace sorvane {

namespace {

// The log is for the last runs only.
constexpr std::uintmax_t MaxLogBytes = 1 << 20;

[[noreturn]] void WaitForReport(int fd) {
    std::string said;
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        const int ready = poll(&p, 1, host_timeouts::StartReportMs);
        if (ready < 0 && errno == EINTR) continue;
        if (ready == 0) {
            // Not known to be up: never reported as a start.
            std::fprintf(stderr,
                         "desktop-sorvane-host: The new desktop host has not said within %d s "
                         "whether its page is shown; see %s.\n",
                         host_timeouts::StartReportMs / 1000, HostLogPath().c_str());
            _exit(3);
        }
        char chunk[1024];
        const ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        said.append(chunk, static_cast<size_t>(n));
    }
    if (said == "ok") _exit(0);
    if (said.empty()) said = "The desktop host ended while starting; see " + HostLogPath() + ".";
    std::fprintf(stderr, "desktop-sorvane-host: %s\n", said.c_str());
    _exit(1);
}

int OpenLog() {
    const std::filesystem::path path = HostLogPath();
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    int flags = O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NOFOLLOW;
    if (std::filesystem::file_size(path, ec) > MaxLogBytes && !ec) flags |= O_TRUNC;
    const int fd = ::open(path.c_str(), flags, 0600);
    return fd >= 0 ? fd : ::open("/dev/null", O_WRONLY | O_CLOEXEC);
}

}  // namespace

std::string HostLogPath() { return HostStateFolder() + "/host.log"; }

HostStart DetachFromCaller(bool foreground) { return HostStart(foreground); }

HostStart::HostStart(bool foreground) : foreground_(foreground) {
    if (foreground) return;
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        foreground_ = true;  // can't report across: stay attached rather than fail
        return;
    }
    const pid_t pid = fork();
    if (pid < 0) {
        close(pipeFds[0]);
        close(pipeFds[1]);
        foreground_ = true;
        return;
    }
    if (pid > 0) {
        close(pipeFds[1]);
        WaitForReport(pipeFds[0]);
    }
    close(pipeFds[0]);
    fd_ = pipeFds[1];
    setsid();
    // The caller may be gone before we report.
    std::signal(SIGPIPE, SIG_IGN);
    if (chdir("/") != 0) { /* paths are absolute already */
    }
    const int null = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    const int log = OpenLog();
    if (null >= 0) dup2(null, 0);
    if (log >= 0) {
        dup2(log, 1);
        dup2(log, 2);
    }
    if (null > 2) close(null);
    if (log > 2) close(log);
}

void HostStart::Report(const std::string& problem) {
    if (reported_) return;
    reported_ = true;
    // Into the log (or, in the foreground, to the caller's terminal).
    if (!problem.empty()) std::fprintf(stderr, "desktop-sorvane-host: %s\n", problem.c_str());
    if (fd_ < 0) return;
    const std::string text = problem.empty() ? "ok" : problem;
    [[maybe_unused]] const ssize_t n = write(fd_, text.data(), text.size());
    close(fd_);
    fd_ = -1;
}

}  // namespace sorvane
