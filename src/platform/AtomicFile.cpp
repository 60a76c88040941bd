#include "AtomicFile.h"

#include <fcntl.h>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>
#include <vector>

#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "Error.h"
#include "Translate.h"

namespace fs = std::filesystem;

namespace sorvane {

namespace {

// The longest file name the usual file systems take.
constexpr size_t NameMax = 255;
constexpr size_t TempSuffixSize = 21;  // ".%016x.tmp"

std::string TempNameBeside(const fs::path& target) {
    static thread_local std::mt19937_64 rng{std::random_device{}()};
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(rng()));
    // A long name is cut short in its temporary name, so any name the file
    // system takes can be written.
    std::string name = target.filename().string();
    if (1 + name.size() + TempSuffixSize > NameMax) name.resize(NameMax - 1 - TempSuffixSize);
    return (target.parent_path() / ("." + name + suffix)).string();
}

// Not an errno value: a pipe, device or socket where a file was expected.
constexpr int NotRegularFile = -1;

// `text` is a marked text with the path as %1 and the reason as %2.
[[noreturn]] void Fail(const char* text, const std::string& path, int err) {
    const std::string why = err == NotRegularFile
                                ? SORVANE_TR("Sorvane", "it is not a regular file")
                                : std::strerror(err);
    throw Error(TrArg(Tr("Sorvane", text), {path, why}));
}
constexpr const char* CouldNotWrite = SORVANE_TR_NOOP("Sorvane", "Could not write \"%1\": %2");
constexpr const char* CouldNotRead = SORVANE_TR_NOOP("Sorvane", "Could not read \"%1\": %2");
constexpr const char* CouldNotReplace = SORVANE_TR_NOOP("Sorvane", "Could not replace \"%1\": %2");

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
int OpenForReading(const std::string& name) {
    return ::_open(name.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}
int ReadSome(int fd, char* data, size_t size) {
    const unsigned chunk = size > (1u << 30) ? (1u << 30) : static_cast<unsigned>(size);
    return ::_read(fd, data, chunk);
}
bool IsFolder(int fd) {
    struct _stat64 st {};
    return ::_fstat64(fd, &st) == 0 && (st.st_mode & _S_IFDIR) != 0;
}
bool Regular(int fd) {
    struct _stat64 st {};
    return ::_fstat64(fd, &st) == 0 && (st.st_mode & _S_IFREG) != 0;
}
int64_t SizeHint(int fd) {
    struct _stat64 st {};
    return ::_fstat64(fd, &st) == 0 && (st.st_mode & _S_IFREG) ? st.st_size : 0;
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
    throw Error(TrArg(Tr("Sorvane", CouldNotReplace), {path, text}));
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
// Non-blocking, so a pipe or device of that name never keeps the caller
// waiting; Regular() then turns a regular file back to ordinary reads.
int OpenForReading(const std::string& name) {
    return ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}
ssize_t ReadSome(int fd, char* data, size_t size) { return ::read(fd, data, size); }
bool IsFolder(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
}
bool Regular(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return false;
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return true;
}
int64_t SizeHint(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? st.st_size : 0;
}
int FlushToDisk(int fd) { return ::fsync(fd); }
int CloseFile(int fd) { return ::close(fd); }
void RemoveFile(const std::string& name) { ::unlink(name.c_str()); }
void ReplaceWith(const std::string& temp, const std::string& path) {
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        RemoveFile(temp);
        Fail(CouldNotReplace, path, err);
    }
}
#endif

}  // namespace

PendingFile::PendingFile(std::string path, std::string_view bytes, Durability durability)
    : path_(std::move(path)), temp_(TempNameBeside(fs::path(path_))) {
    const int fd = OpenNew(temp_);
    if (fd < 0) {
        const int err = errno;
        temp_.clear();
        Fail(CouldNotWrite, path_, err);
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const auto n = WriteSome(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int err = n < 0 ? errno : ENOSPC;
            CloseFile(fd);
            RemoveFile(temp_);  // a constructor that throws runs no destructor
            Fail(CouldNotWrite, path_, err);
        }
        done += static_cast<size_t>(n);
    }
    // Closed whether or not the flush worked, so a failure leaks no handle.
    const bool flushed = durability == Durability::Unflushed || FlushToDisk(fd) == 0;
    int err = errno;
    const bool closed = CloseFile(fd) == 0;
    if (!closed && flushed) err = errno;
    if (!flushed || !closed) {
        RemoveFile(temp_);
        Fail(CouldNotWrite, path_, err);
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

void WriteFileAtomically(const std::string& path, std::string_view bytes, Durability durability) {
    PendingFile(path, bytes, durability).Commit();
}

bool IsTempName(const std::string& fileName) {
    if (fileName.size() < 1 + TempSuffixSize || fileName[0] != '.' || !fileName.ends_with(".tmp"))
        return false;
    const std::string_view hex(fileName.data() + fileName.size() - TempSuffixSize + 1, 16);
    return fileName[fileName.size() - TempSuffixSize] == '.' &&
           hex.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

void RemoveLeftoverTempFiles(const std::string& folder, std::chrono::seconds olderThan) {
    std::error_code ec;
    const auto cutoff = fs::file_time_type::clock::now() - olderThan;
    for (fs::directory_iterator it(fs::path(folder), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code e;
        if (!IsTempName(it->path().filename().string()) || !it->is_regular_file(e)) continue;
        if (it->last_write_time(e) < cutoff && !e) fs::remove(it->path(), e);
    }
}

void SyncFolder(const std::string& folder) {
#ifndef _WIN32
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
#else
    (void)folder;  // NTFS journals renames itself
#endif
}

namespace {

// The whole file, or the reason (an errno value) it could not be read.
std::optional<std::string> ReadAll(const std::string& path, int& err, size_t maxBytes = SIZE_MAX) {
    const int fd = OpenForReading(path);
    if (fd < 0) {
        err = errno;
        return std::nullopt;
    }
    std::string bytes;
    if (!Regular(fd)) {
        err = IsFolder(fd) ? EISDIR : NotRegularFile;
        CloseFile(fd);
        return std::nullopt;
    }
    // Sized once from the file's length; a file that grows meanwhile is read
    // to its end, or to the bound.
    const auto hint = static_cast<size_t>(SizeHint(fd));
    if (hint > maxBytes) {
        err = EFBIG;
        CloseFile(fd);
        return std::nullopt;
    }
    bytes.resize(hint + 1);
    size_t done = 0;
    for (;;) {
        if (done == bytes.size()) bytes.resize(bytes.size() * 2);
        const auto n = ReadSome(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            err = errno;
            CloseFile(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
        if (done > maxBytes) {
            err = EFBIG;
            CloseFile(fd);
            return std::nullopt;
        }
    }
    CloseFile(fd);
    bytes.resize(done);
    return bytes;
}

}  // namespace

std::string ReadWholeFile(const std::string& path, size_t maxBytes) {
    int err = 0;
    std::optional<std::string> bytes = ReadAll(path, err, maxBytes);
    if (!bytes) Fail(CouldNotRead, path, err);
    return std::move(*bytes);
}

std::optional<std::string> ReadWholeFileIfPossible(const std::string& path, size_t maxBytes) {
    int err = 0;
    return ReadAll(path, err, maxBytes);
}

std::optional<std::string> ReadFileStart(const std::string& path, size_t maxBytes) {
    const int fd = OpenForReading(path);
    if (fd < 0) return std::nullopt;
    if (!Regular(fd)) {
        CloseFile(fd);
        return std::nullopt;
    }
    std::string bytes(maxBytes, '\0');
    size_t done = 0;
    while (done < maxBytes) {
        const auto n = ReadSome(fd, bytes.data() + done, maxBytes - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            CloseFile(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    CloseFile(fd);
    bytes.resize(done);
    return bytes;
}

#ifndef _WIN32
int OpenRegularFile(const std::string& path) {
    const int fd = OpenForReading(path);
    if (fd < 0) return -1;
    if (Regular(fd)) return fd;
    CloseFile(fd);
    errno = EINVAL;
    return -1;
}
#endif

CopyResult CopyFileAtomically(const std::string& source, const std::string& target,
                              bool failIfExists) {
    std::error_code ec;
    const fs::path to(target);
    if (failIfExists && fs::exists(fs::symlink_status(to, ec)))
        return {CopyStatus::TargetExists, {}};

    // Our own loop rather than the library's copy, whose failures can read
    // "Input/output error" for a full disk: every error keeps its cause.
    const int in = OpenForReading(source);
    if (in < 0) return {CopyStatus::Failed, std::strerror(errno)};
    if (!Regular(in)) {
        CloseFile(in);
        return {CopyStatus::Failed, SORVANE_TR("Sorvane", "it is not a file")};
    }
    const std::string temp = TempNameBeside(to);
    const int out = OpenNew(temp);
    if (out < 0) {
        const int err = errno;
        CloseFile(in);
        return {CopyStatus::Failed, std::strerror(err)};
    }
    int err = 0;
    std::vector<char> buffer(size_t{1} << 20);
    while (err == 0) {
        const auto got = ReadSome(in, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) err = errno;
        if (got <= 0) break;
        for (size_t done = 0; done < static_cast<size_t>(got);) {
            const auto n = WriteSome(out, buffer.data() + done, static_cast<size_t>(got) - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                err = n < 0 ? errno : ENOSPC;
                break;
            }
            done += static_cast<size_t>(n);
        }
    }
    // What the user keeps reaches the disk before it takes the name.
    if (err == 0 && FlushToDisk(out) != 0) err = errno;
    if (CloseFile(out) != 0 && err == 0) err = errno;
    CloseFile(in);
    if (err != 0) {
        RemoveFile(temp);
        return {CopyStatus::Failed, std::strerror(err)};
    }
    std::error_code ignored;
    // A read-only original must not give a copy that can't be rewritten later.
    fs::permissions(temp, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                    ignored);
    fs::rename(temp, to, ec);
    if (ec) {
        fs::remove(temp, ignored);
        return {CopyStatus::Failed, ec.message()};
    }
    return {CopyStatus::Copied, {}};
}

}  // namespace sorvane
