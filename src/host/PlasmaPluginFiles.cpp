#include "PlasmaPluginFiles.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>

#include "HostFolders.h"
#include "PlasmaScripts.h"
#include "platform/AtomicFile.h"
#include "platform/linux/ExecutableLocation.h"

namespace fs = std::filesystem;

namespace sorvane {

namespace {

std::string PluginSubfolder() { return std::string("plasma/wallpapers/") + PlasmaPluginId; }

bool HasPlugin(const fs::path& folder) {
    std::error_code ec;
    return fs::is_regular_file(folder / "metadata.json", ec);
}

bool InstalledForEveryone() {
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    std::istringstream list(dirs != nullptr && dirs[0] != '\0' ? dirs
                                                               : "/usr/local/share:/usr/share");
    std::string dir;
    while (std::getline(list, dir, ':'))
        if (!dir.empty() && dir[0] == '/' && HasPlugin(fs::path(dir) / PluginSubfolder()))
            return true;
    return false;
}

// Where our own copy comes from: the program's build tree first (its plugin is
// the one that matches it), then the installed data beside the program.
std::vector<std::string> ProgramSources() {
    std::vector<std::string> sources;
    if (RunFromBuildTree()) sources.emplace_back(SORVANE_SOURCE_RESOURCES "/plasma/wallpaper");
    const std::string exe = ExecutableFolder();
    if (!exe.empty())
        sources.push_back((fs::path(exe) / "../share" / PluginSubfolder()).lexically_normal());
    sources.push_back((fs::path(SORVANE_DATA_ROOT_INSTALL_DIR) / PluginSubfolder()).string());
    return sources;
}

// Copies the files that differ, each whole (plasmashell may read them meanwhile).
std::string CopyPlugin(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(from, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        const fs::path target = to / fs::relative(it->path(), from, ec);
        const std::optional<std::string> have = ReadWholeFileIfPossible(target.string());
        const std::optional<std::string> want = ReadWholeFileIfPossible(it->path().string());
        if (!want) return "The wallpaper plugin's file " + it->path().string() + " can't be read.";
        if (have == want) continue;
        fs::create_directories(target.parent_path(), ec);
        const CopyResult copied = CopyFileAtomically(it->path().string(), target.string(), false);
        if (copied.Status != CopyStatus::Copied)
            return "The wallpaper plugin could not be copied to " + target.string() + ": " +
                   copied.Reason;
    }
    if (ec) return "The wallpaper plugin at " + from.string() + " can't be read: " + ec.message();
    return {};
}

}  // namespace

std::string UserPlasmaPluginFolder() {
    return (fs::path(XdgFolder("XDG_DATA_HOME", ".local/share")) / PluginSubfolder()).string();
}

std::string PlacePlasmaPlugin() { return PlacePlasmaPlugin(RunFromBuildTree(), ProgramSources()); }

std::string PlacePlasmaPlugin(bool buildTree, const std::vector<std::string>& sources) {
    const fs::path mine = UserPlasmaPluginFolder();
    std::error_code ec;
    if (!buildTree && InstalledForEveryone()) {
        fs::remove_all(mine, ec);  // ours alone: this folder bears our plugin's id
        return {};
    }
    for (const std::string& source : sources)
        if (HasPlugin(source)) return CopyPlugin(source, mine);
    if (HasPlugin(mine)) return {};  // copied by an earlier run
    return "The wallpaper plugin for KDE Plasma (" + PluginSubfolder() + ") is not installed.";
}

}  // namespace sorvane
