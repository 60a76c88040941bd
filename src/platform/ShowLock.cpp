#include "ShowLock.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "Error.h"
#include "Translate.h"

namespace sorvane {

namespace {

int ProcessId() {
#ifdef _WIN32
    return static_cast<int>(GetCurrentProcessId());
#else
    return static_cast<int>(getpid());
#endif
}

}  // namespace

std::string ShowLockHolder(const std::string& lockPath) {
    std::ifstream in(lockPath, std::ios::binary);
    std::string line;
    std::getline(in, line);
    if (line.size() > 200) line.resize(200);
    return line.empty() ? SORVANE_TR("Sorvane", "another Desktop Sorvane") : line;
}

ShowLock::ShowLock(const std::string& lockPath, const std::string& holderName,
                   std::chrono::milliseconds bound,
                   const std::function<void(const std::string&)>& waiting)
    : path_(lockPath) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(lockPath).parent_path(), ec);
    const auto deadline = std::chrono::steady_clock::now() + bound;
    bool told = false;
    const std::string me = holderName + " (process " + std::to_string(ProcessId()) + ")\n";
#ifdef _WIN32
    const std::wstring wide = std::filesystem::u8path(lockPath).wstring();
    HANDLE h = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw Error(TrArg(SORVANE_TR("Sorvane", "The lock file \"%1\" can't be opened (error %2)."),
                          {lockPath, std::to_string(GetLastError())}));
    for (;;) {
        // A byte far past the holder's name: Windows' locks also stop reads.
        OVERLAPPED at{};
        at.OffsetHigh = 1;
        if (LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) break;
        if (std::chrono::steady_clock::now() >= deadline) {
            CloseHandle(h);
            throw Error(TrArg(SORVANE_TR("Sorvane",
                                         "%1 is still changing the slide show. "
                                         "Try again once it has finished."),
                              {ShowLockHolder(lockPath)}));
        }
        if (!told && waiting) waiting(ShowLockHolder(lockPath));
        told = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    handle_ = h;
    DWORD written = 0;
    SetFilePointer(h, 0, nullptr, FILE_BEGIN);
    SetEndOfFile(h);
    WriteFile(h, me.data(), static_cast<DWORD>(me.size()), &written, nullptr);
#else
    // The lock is on the folder itself, which every program can open even
    // where nothing can be written (a full or read-only disk, whose build
    // then fails with its own reason); the file only names the holder.
    const std::string folder = std::filesystem::path(lockPath).parent_path().string();
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw Error(TrArg(SORVANE_TR("Sorvane", "The folder \"%1\" can't be opened: %2."),
                          {folder, std::strerror(errno)}));
    for (;;) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) break;
        if (errno != EWOULDBLOCK && errno != EINTR) {
            const int err = errno;
            ::close(fd);
            throw Error(TrArg(SORVANE_TR("Sorvane", "The folder \"%1\" can't be locked: %2."),
                              {folder, std::strerror(err)}));
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            throw Error(TrArg(SORVANE_TR("Sorvane",
                                         "%1 is still changing the slide show. "
                                         "Try again once it has finished."),
                              {ShowLockHolder(lockPath)}));
        }
        if (!told && waiting) waiting(ShowLockHolder(lockPath));
        told = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    fd_ = fd;
    const int name =
        ::open(lockPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (name >= 0) {
        [[maybe_unused]] const ssize_t n = ::write(name, me.data(), me.size());
        ::close(name);
    }
#endif
}

ShowLock::~ShowLock() {
#ifdef _WIN32
    if (handle_ != nullptr) {
        OVERLAPPED at{};
        at.OffsetHigh = 1;
        UnlockFileEx(handle_, 0, 1, 0, &at);
        CloseHandle(handle_);
    }
#else
    if (fd_ >= 0) ::close(fd_);  // closing lets the lock go
#endif
}

}  // namespace sorvane
