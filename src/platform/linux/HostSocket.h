#pragma once

#include <memory>
#include <optional>
#include <string>

namespace sorvane {

// The desktop host's private place: $XDG_RUNTIME_DIR/desktop-sorvane, or
// /tmp/desktop-sorvane-UID when XDG_RUNTIME_DIR is unset or not absolute.
std::string HostSocketFolder();
std::string HostSocketPath(const std::string& folder);

// Makes `folder` private to us: creates it with mode 0700, takes group and
// other rights away from one of ours, and refuses (sorvane::Error) one that is
// a link, not a folder, or owned by someone else.
void PrepareHostSocketFolder(const std::string& folder);

// A file descriptor that closes itself.
class UniqueFd {
  public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { Reset(); }
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int Get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    int Release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    void Reset(int fd = -1);

  private:
    int fd_ = -1;
};

// One client of the host, accepted from our own user.
class HostConnection {
  public:
    explicit HostConnection(UniqueFd fd) : fd_(std::move(fd)) {}
    // The next line without its end; none at the end of input, after
    // `timeoutMs`, or when the line grows unreasonably long.
    std::optional<std::string> ReadLine(int timeoutMs);
    bool WriteLine(const std::string& line);

    // For an event loop: reads what has arrived without waiting; false once
    // the peer is gone, on an error, or when the line grows unreasonably long.
    bool ReadAvailable();
    // The next whole line that has arrived, without its end.
    std::optional<std::string> TakeLine();
    int Fd() const { return fd_.Get(); }

  private:
    UniqueFd fd_;
    std::string buffer_;
};

// The listening end, held by the one running host of a user. A lock file
// beside the socket marks the holder, so a socket left by a host that died is
// known to be stale and replaced, and two hosts starting at once can't both win.
class HostListener {
  public:
    // Listens at HostSocketPath(folder); none when another host holds the
    // place. Throws sorvane::Error when the place can't be made safe or used.
    static std::unique_ptr<HostListener> Open(const std::string& folder);
    ~HostListener();
    HostListener(const HostListener&) = delete;
    HostListener& operator=(const HostListener&) = delete;

    // Non-blocking: watch it for readability, then call Accept.
    int Fd() const { return socket_.Get(); }
    const std::string& SocketPath() const { return path_; }

    // A waiting connection from our own user, non-blocking; another user's
    // connection is closed unanswered and skipped. None when nothing waits.
    std::optional<HostConnection> Accept();

  private:
    HostListener(std::string path, UniqueFd lock, UniqueFd socket);
    std::string path_;
    UniqueFd lock_;
    UniqueFd socket_;
};

// Sends one command line to the running host of `folder` and returns its
// answer line. None when no host runs there. Throws sorvane::Error when the
// place isn't private to us, the listener isn't ours, or no answer comes
// within `timeoutMs`.
std::optional<std::string> SendToHost(const std::string& folder, const std::string& line,
                                      int timeoutMs);

}  // namespace sorvane
