#include "LinuxFolders.h"

#include "ExecutableLocation.h"
#include "platform/AtomicFile.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

namespace sorvane {

namespace {

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string Home() {
    const char* home = std::getenv("HOME");
    return home != nullptr ? home : "";
}

// An XDG base folder: the variable when it names an absolute path, else the
// default below the home. Bytes as they are: a name need not be UTF-8.
std::string BaseFolder(const char* variable, const char* underHome) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/') return value;
    return Home() + underHome;
}

// XDG_PICTURES_DIR from user-dirs.dirs: "$HOME/..." or an absolute path, in
// double quotes, with backslash escapes. Read without waiting (the file may
// be a pipe) and only up to a bound; "" when it names none.
std::string PicturesFromUserDirs() {
    const std::optional<std::string> text = ReadWholeFileIfPossible(
        BaseFolder("XDG_CONFIG_HOME", "/.config") + "/user-dirs.dirs", 1 << 20);
    if (!text) return {};
    constexpr std::string_view key = "XDG_PICTURES_DIR=\"";
    std::string found;
    for (size_t start = 0; start < text->size();) {
        size_t end = text->find('\n', start);
        if (end == std::string::npos) end = text->size();
        std::string_view line(text->data() + start, end - start);
        start = end + 1;
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        if (!line.starts_with(key)) continue;
        line.remove_prefix(key.size());
        std::string value;
        bool closed = false;
        for (size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '\\' && i + 1 < line.size()) {
                value += line[++i];
            } else if (line[i] == '"') {
                closed = true;
                break;
            } else {
                value += line[i];
            }
        }
        if (!closed) continue;
        if (value.starts_with("$HOME")) value = Home() + value.substr(5);
        if (!value.empty() && value[0] == '/') found = value;  // the last one counts
    }
    return found;
}

}  // namespace

std::string LinuxFolders::PicturesFolder() {
    const std::string named = PicturesFromUserDirs();
    // A folder set to the home itself means "none": the default then.
    if (!named.empty() && WithoutTrailingSlash(named) != WithoutTrailingSlash(Home()))
        return WithoutTrailingSlash(named);
    return Home().empty() ? std::string() : WithoutTrailingSlash(Home() + "/Pictures");
}

std::string LinuxFolders::ProgramFolder() {
    const std::string data = BaseFolder("XDG_DATA_HOME", "/.local/share");
    if (data.empty() || data[0] != '/') return {};
    return WithoutTrailingSlash(data) + "/desktop-sorvane";
}

std::string LinuxFolders::TemplatePath() {
    // The user's own template wins; then the installed one beside the program,
    // the configured install folder, and the source tree for uninstalled builds.
    const std::string exeDir = ExecutableFolder();
    std::vector<std::string> candidates = {
        ProgramFolder() + "/template.html",
        exeDir + "/../share/desktop-sorvane/template.html",
        std::string(SORVANE_DATA_INSTALL_DIR) + "/template.html",
    };
    if (RunFromBuildTree())
        candidates.push_back(std::string(SORVANE_SOURCE_RESOURCES) + "/template.html");
    std::error_code ec;
    for (const auto& c : candidates)
        if (fs::is_regular_file(c, ec)) return fs::weakly_canonical(c, ec).string();
    // Missing everywhere: name the place the installed program looks first.
    return fs::weakly_canonical(candidates[exeDir.empty() ? 2 : 1], ec).string();
}

}  // namespace sorvane
