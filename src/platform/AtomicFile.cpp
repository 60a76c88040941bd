#include "AtomicFile.h"

#include <fcntl.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "Error.h"

namespace fs = std::filesystem;

namespace sorvane {

namespace {

std::string TempNameBeside(const fs::path& target) {
    static thread_local std::mt19937_64 rng{std::random_device{}()};
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(rng()));
    return (target.parent_path() / ("." + target.filename().string() + suffix)).string();
}

[[noreturn]] void Fail(const std::string& what, const std::string& path, int err) {
    throw Error("Could not " + what + " \"" + path + "\": " + std::strerror(err));
}

// The few file calls the write needs, on each system's own terms.
#ifdef _WIN32
// Binary, so CR LF line ends and every other byte reach the disk as given.
int OpenNew(const std::string& name) {
    return ::_open(name.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                   _S_IREAD | _S_IWRITE);
}
int WriteSome(int fd, const char* data, size_t size) {
    const unsigned chunk = size > (1u << 30) ? (1u << 30) : static_cast<unsigned>(size);
    return ::_write(fd, data, chunk);
}
int FlushToDisk(int fd) { return ::_commit(fd); }
int CloseFile(int fd) { return ::_close(fd); }
void RemoveFile(const std::string& name) { ::_unlink(name.c_str()); }
// rename() refuses to replace an existing file here; MoveFileEx does it in
// one step.
[[noreturn]] void FailReplace(const std::string& path) {
    char reason[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   GetLastError(), 0, reason, sizeof reason, nullptr);
    std::string text(reason);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    throw Error("Could not replace \"" + path + "\": " + text);
}
void ReplaceWith(const std::string& temp, const std::string& path) {
    if (!MoveFileExA(temp.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD err = GetLastError();
        RemoveFile(temp);
        SetLastError(err);
        FailReplace(path);
    }
}
#else
int OpenNew(const std::string& name) {
    return ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
}
ssize_t WriteSome(int fd, const char* data, size_t size) { return ::write(fd, data, size); }
int FlushToDisk(int fd) { return ::fsync(fd); }
int CloseFile(int fd) { return ::close(fd); }
void RemoveFile(const std::string& name) { ::unlink(name.c_str()); }
void ReplaceWith(const std::string& temp, const std::string& path) {
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        RemoveFile(temp);
        Fail("replace", path, err);
    }
}
#endif

}  // namespace

PendingFile::PendingFile(std::string path, std::string_view bytes)
    : path_(std::move(path)), temp_(TempNameBeside(fs::path(path_))) {
    const int fd = OpenNew(temp_);
    if (fd < 0) Fail("write", path_, errno);
    size_t done = 0;
    while (done < bytes.size()) {
        const auto n = WriteSome(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int err = n < 0 ? errno : ENOSPC;
            CloseFile(fd);
            RemoveFile(temp_);
            Fail("write", path_, err);
        }
        done += static_cast<size_t>(n);
    }
    // Closed whether or not the flush worked, so a failure leaks no handle.
    const bool flushed = FlushToDisk(fd) == 0;
    int err = errno;
    const bool closed = CloseFile(fd) == 0;
    if (!closed && flushed) err = errno;
    if (!flushed || !closed) {
        RemoveFile(temp_);
        Fail("write", path_, err);
    }
}

PendingFile::~PendingFile() {
    if (!temp_.empty()) RemoveFile(temp_);
}

void PendingFile::Commit() {
    if (temp_.empty()) return;
    const std::string temp = std::move(temp_);
    temp_.clear();
    ReplaceWith(temp, path_);
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    PendingFile(path, bytes).Commit();
}

#ifdef _WIN32
std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Error("Could not read \"" + path + "\": " + std::strerror(errno));
    std::ostringstream s;
    s << in.rdbuf();
    if (in.bad()) throw Error("Could not read \"" + path + "\".");
    return s.str();
}
#else
int OpenRegularFile(const std::string& path, std::string* why) {
    // Non-blocking, so opening a pipe with no writer returns at once.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (why) *why = std::strerror(errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int err = errno;
        ::close(fd);
        if (why) *why = S_ISDIR(st.st_mode) ? "it is a folder" : "it is not a regular file";
        if (why && st.st_mode == 0) *why = std::strerror(err);
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

std::string ReadWholeFile(const std::string& path) {
    std::string why;
    const int fd = OpenRegularFile(path, &why);
    if (fd < 0) throw Error("Could not read \"" + path + "\": " + why);
    std::string out;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            Fail("read", path, err);
        }
        if (n == 0) break;
        out.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return out;
}
#endif

}  // namespace sorvane
