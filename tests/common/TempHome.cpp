#include "common/TempHome.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace sorvane::test {

TempHome::TempHome() {
    std::random_device rd;
    root_ =
        fs::temp_directory_path() / ("sorvane-test-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(root_);
    for (const char* sub : {"home", "config", "data", "cache", "runtime", "Pictures"})
        fs::create_directories(root_ / sub);
    fs::permissions(root_ / "runtime", fs::perms::owner_all, fs::perm_options::replace);
    setenv("HOME", (root_ / "home").string().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root_ / "config").string().c_str(), 1);
    setenv("XDG_DATA_HOME", (root_ / "data").string().c_str(), 1);
    setenv("XDG_CACHE_HOME", (root_ / "cache").string().c_str(), 1);
    setenv("XDG_STATE_HOME", (root_ / "state").string().c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (root_ / "runtime").string().c_str(), 1);
}

TempHome::~TempHome() {
    std::error_code ec;
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root_, ec);
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

fs::path SharedDir() {
    const char* env = std::getenv("SORVANE_SHARED_DIR");
    fs::path dir = env ? fs::path(env) : fs::path(SORVANE_TEST_SHARED_DIR);
    std::error_code ec;
    if (!dir.empty() && fs::is_directory(dir, ec)) return fs::canonical(dir, ec);
    return {};
}

fs::path SourceDir() {
    const char* env = std::getenv("SORVANE_SOURCE_DIR");
    return env ? fs::path(env) : fs::path(SORVANE_TEST_SOURCE_DIR);
}

}  // namespace sorvane::test
