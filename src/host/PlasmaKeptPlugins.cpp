#include "PlasmaKeptPlugins.h"

#include <filesystem>
#include <sstream>

#include "HostFolders.h"
#include "platform/AtomicFile.h"

namespace sorvane {

PlasmaPlugins KeepPlasmaPlugins(PlasmaPlugins kept, const std::vector<PlasmaDesktop>& desktops) {
    for (const PlasmaDesktop& d : desktops)
        if (d.plugin != PlasmaPluginId && !d.plugin.empty()) kept[d.id] = d.plugin;
    return kept;
}

PlasmaPlugins ReadKeptPlasmaPlugins(const std::string& path) {
    PlasmaPlugins kept;
    const std::optional<std::string> text = ReadWholeFileIfPossible(path);
    if (!text) return kept;
    std::istringstream lines(*text);
    int id = 0;
    std::string plugin;
    while (lines >> id >> plugin) {
        std::optional<std::string> decoded = PercentDecode(plugin);
        // Never our own id: giving that back would give nothing back.
        if (decoded && !decoded->empty() && *decoded != PlasmaPluginId) kept[id] = *decoded;
    }
    return kept;
}

void WriteKeptPlasmaPlugins(const std::string& path, const PlasmaPlugins& kept) {
    std::string text;
    for (const auto& [id, plugin] : kept)
        text += std::to_string(id) + " " + PercentEncode(plugin) + "\n";
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    WriteFileAtomically(path, text);
}

std::string KeptPlasmaPluginsPath() { return HostStateFolder() + "/plasma-wallpapers"; }

}  // namespace sorvane
