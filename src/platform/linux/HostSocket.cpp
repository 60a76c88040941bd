#include "HostSocket.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

#include "platform/Error.h"
#include "platform/Translate.h"

namespace sorvane {

namespace {

constexpr size_t MaxLine = 64 * 1024;

std::string SystemText(int error) { return std::strerror(error); }

[[noreturn]] void Fail(const std::string& what, int error) {
    throw Error(what + ": " + SystemText(error));
}

sockaddr_un AddressOf(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        throw Error(
            TrArg(SORVANE_TR("Sorvane", "The desktop host's socket path is too long: %1"), {path}));
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return address;
}

bool PeerIsUs(int fd) {
    ucred peer{};
    socklen_t size = sizeof peer;
    if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0) return false;
    return peer.uid == geteuid();
}

// Checks an existing folder; false when it doesn't exist.
bool CheckPrivateFolder(const std::string& folder, bool tighten) {
    struct stat st {};
    if (lstat(folder.c_str(), &st) != 0) {
        if (errno == ENOENT) return false;
        Fail(TrArg(SORVANE_TR("Sorvane", "The desktop host's folder %1 can't be examined"),
                   {folder}),
             errno);
    }
    if (S_ISLNK(st.st_mode) || !S_ISDIR(st.st_mode))
        throw Error(TrArg(SORVANE_TR("Sorvane", "The desktop host's folder %1 is not a folder."),
                          {folder}));
    if (st.st_uid != geteuid())
        throw Error(
            TrArg(SORVANE_TR("Sorvane", "The desktop host's folder %1 belongs to another user."),
                  {folder}));
    if ((st.st_mode & 077) != 0) {
        if (!tighten)
            throw Error(
                TrArg(SORVANE_TR("Sorvane", "The desktop host's folder %1 is open to other users."),
                      {folder}));
        if (chmod(folder.c_str(), 0700) != 0)
            Fail(TrArg(SORVANE_TR("Sorvane", "The desktop host's folder %1 can't be made private"),
                       {folder}),
                 errno);
    }
    return true;
}

}  // namespace

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
}

void UniqueFd::Reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
}

std::string HostSocketFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/') return std::string(runtime) + "/desktop-sorvane";
    return "/tmp/desktop-sorvane-" + std::to_string(geteuid());
}

std::string HostSocketPath(const std::string& folder) { return folder + "/host.socket"; }

void PrepareHostSocketFolder(const std::string& folder) {
    if (CheckPrivateFolder(folder, true)) return;
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        Fail(
            TrArg(SORVANE_TR("Sorvane", "The desktop host's folder %1 can't be created"), {folder}),
            errno);
    // Check again: someone may have put something there in between.
    CheckPrivateFolder(folder, true);
}

std::optional<std::string> HostConnection::TakeLine() {
    const size_t end = buffer_.find('\n');
    if (end == std::string::npos) return std::nullopt;
    std::string line = buffer_.substr(0, end);
    buffer_.erase(0, end + 1);
    return line;
}

bool HostConnection::ReadAvailable() {
    for (;;) {
        char chunk[4096];
        const ssize_t n = recv(fd_.Get(), chunk, sizeof chunk, MSG_DONTWAIT);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
        if (n <= 0) return false;
        buffer_.append(chunk, static_cast<size_t>(n));
        if (buffer_.size() > MaxLine) return false;
    }
}

std::optional<std::string> HostConnection::ReadLine(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (std::optional<std::string> line = TakeLine()) return line;
        if (buffer_.size() > MaxLine) return std::nullopt;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return std::nullopt;
        pollfd p{fd_.Get(), POLLIN, 0};
        const int ready = poll(&p, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return std::nullopt;
        char chunk[4096];
        const ssize_t n = recv(fd_.Get(), chunk, sizeof chunk, 0);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n <= 0) return std::nullopt;
        buffer_.append(chunk, static_cast<size_t>(n));
    }
}

bool HostConnection::WriteLine(const std::string& line) {
    const std::string data = line + "\n";
    size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t n = send(fd_.Get(), data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

HostListener::HostListener(std::string path, UniqueFd lock, UniqueFd socket)
    : path_(std::move(path)), lock_(std::move(lock)), socket_(std::move(socket)) {}

HostListener::~HostListener() {
    // Only the lock holder ever binds here, so the file is ours to remove.
    socket_.Reset();
    ::unlink(path_.c_str());
}

std::unique_ptr<HostListener> HostListener::Open(const std::string& folder) {
    PrepareHostSocketFolder(folder);
    const std::string lockPath = folder + "/host.lock";
    UniqueFd lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!lock)
        Fail(TrArg(SORVANE_TR("Sorvane", "The desktop host's lock %1 can't be opened"), {lockPath}),
             errno);
    if (flock(lock.Get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) return nullptr;
        Fail(TrArg(SORVANE_TR("Sorvane", "The desktop host's lock %1 can't be taken"), {lockPath}),
             errno);
    }

    const std::string path = HostSocketPath(folder);
    const sockaddr_un address = AddressOf(path);
    // We hold the lock, so a socket file still there was left by a host that died.
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        Fail(TrArg(SORVANE_TR("Sorvane", "The old socket %1 can't be removed"), {path}), errno);
    UniqueFd socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!socket) Fail(SORVANE_TR("Sorvane", "The desktop host's socket can't be made"), errno);
    if (bind(socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        Fail(TrArg(SORVANE_TR("Sorvane", "The desktop host's socket %1 can't be bound"), {path}),
             errno);
    // The folder is private already; the socket's own mode says so once more.
    if (chmod(path.c_str(), 0600) != 0 || listen(socket.Get(), 16) != 0) {
        const int error = errno;
        ::unlink(path.c_str());
        Fail(TrArg(SORVANE_TR("Sorvane", "The desktop host's socket %1 can't be opened"), {path}),
             error);
    }
    return std::unique_ptr<HostListener>(
        new HostListener(path, std::move(lock), std::move(socket)));
}

std::optional<HostConnection> HostListener::Accept() {
    for (;;) {
        UniqueFd client(accept4(socket_.Get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
        if (!client) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            return std::nullopt;
        }
        if (PeerIsUs(client.Get())) return HostConnection(std::move(client));
        // Another user's connection: closed without a word.
    }
}

std::optional<std::string> SendToHost(const std::string& folder, const std::string& line,
                                      int timeoutMs) {
    if (!CheckPrivateFolder(folder, false)) return std::nullopt;
    const std::string path = HostSocketPath(folder);
    const sockaddr_un address = AddressOf(path);
    UniqueFd socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!socket) Fail(SORVANE_TR("Sorvane", "No socket for the desktop host"), errno);
    if (connect(socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        // No socket, or one left by a host that died: no host runs.
        if (errno == ENOENT || errno == ECONNREFUSED) return std::nullopt;
        Fail(TrArg(SORVANE_TR("Sorvane", "The desktop host can't be reached at %1"), {path}),
             errno);
    }
    if (!PeerIsUs(socket.Get()))
        throw Error(TrArg(SORVANE_TR("Sorvane", "The desktop host at %1 belongs to another user."),
                          {path}));
    HostConnection connection(std::move(socket));
    if (!connection.WriteLine(line))
        throw Error(
            SORVANE_TR("Sorvane", "The desktop host closed its socket before taking the request."));
    std::optional<std::string> reply = connection.ReadLine(timeoutMs);
    if (!reply) throw Error(SORVANE_TR("Sorvane", "The desktop host did not answer."));
    return reply;
}

}  // namespace sorvane
