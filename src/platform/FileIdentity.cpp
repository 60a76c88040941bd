#include "FileIdentity.h"

#ifdef _WIN32
#include <filesystem>
#else
#include <sys/stat.h>
#endif

namespace sorvane {

namespace {

std::optional<std::string> IdentityOf(const std::string& path, bool withChangeTime) {
#ifdef _WIN32
    // No inode or change time to be had here: size and modification time.
    std::error_code ec;
    const std::filesystem::path p(path);
    if (!std::filesystem::is_regular_file(p, ec)) return std::nullopt;
    const auto size = std::filesystem::file_size(p, ec);
    if (ec) return std::nullopt;
    const auto time = std::filesystem::last_write_time(p, ec);
    if (ec) return std::nullopt;
    (void)withChangeTime;
    return std::to_string(size) + " " + std::to_string(time.time_since_epoch().count());
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
