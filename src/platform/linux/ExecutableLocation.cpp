#include "ExecutableLocation.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace sorvane {

std::string ExecutableFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

bool RunFromBuildTree() {
    const std::string folder = ExecutableFolder();
    if (folder.empty()) return false;
    std::error_code ec;
    const fs::path build = fs::weakly_canonical(SORVANE_BUILD_DIR, ec);
    if (ec) return false;
    const fs::path relative = fs::path(folder).lexically_relative(build);
    return !relative.empty() && *relative.begin() != "..";
}

}  // namespace sorvane
