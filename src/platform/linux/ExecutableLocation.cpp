#include "ExecutableLocation.h"

#include <filesystem>

#include "platform/ProgramPath.h"

namespace fs = std::filesystem;

namespace sorvane {

std::string ExecutableFolder() {
    const std::string exe = ProgramPath();
    return exe.empty() ? std::string() : fs::path(exe).parent_path().string();
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
