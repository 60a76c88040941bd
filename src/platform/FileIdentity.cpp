#include "FileIdentity.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace sorvane {

namespace {

std::optional<std::string> IdentityOf(const std::string& path, bool withChangeTime) {
#ifdef _WIN32
    // NTFS keeps a change time too (Wine maps it to the Unix one), and a file
    // index and volume serial number stand for the inode and device.
    const HANDLE file = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    FILE_BASIC_INFO times{};
    const bool read = GetFileInformationByHandle(file, &info) &&
                      GetFileInformationByHandleEx(file, FileBasicInfo, &times, sizeof times);
    CloseHandle(file);
    if (!read || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
    const auto join = [](DWORD high, DWORD low) {
        return std::to_string((static_cast<unsigned long long>(high) << 32) | low);
    };
    std::string text = join(info.nFileSizeHigh, info.nFileSizeLow) + " " +
                       std::to_string(times.LastWriteTime.QuadPart) + " " +
                       join(info.nFileIndexHigh, info.nFileIndexLow) + " " +
                       std::to_string(info.dwVolumeSerialNumber);
    if (withChangeTime) text += " " + std::to_string(times.ChangeTime.QuadPart);
    return text;
#else
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    auto ns = [](const timespec& t) {
        return std::to_string(static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec);
    };
    std::string text = std::to_string(st.st_size) + " " + ns(st.st_mtim) + " " +
                       std::to_string(st.st_ino) + " " + std::to_string(st.st_dev);
    if (withChangeTime) text += " " + ns(st.st_ctim);
    return text;
#endif
}

}  // namespace

std::optional<std::string> FileIdentityOf(const std::string& path) {
    return IdentityOf(path, true);
}

std::optional<std::string> FileContentIdentityOf(const std::string& path) {
    return IdentityOf(path, false);
}

}  // namespace sorvane
