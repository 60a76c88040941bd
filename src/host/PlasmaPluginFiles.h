#pragma once

#include <string>
#include <vector>

namespace sorvane {

// Puts our wallpaper plugin where plasmashell finds it. Installed for everyone
// (plasma/wallpapers in a folder of XDG_DATA_DIRS) it is used as it is, and a
// copy of ours for this user, which would hide it, goes. Otherwise the plugin
// beside the program (or, for a program in its build tree, the source tree's)
// is copied into $XDG_DATA_HOME/plasma/wallpapers/. "" when the plugin is in
// place, else why not.
std::string PlacePlasmaPlugin();

// The same with the places given: whether the program runs from its build
// tree, and the plugin folders a copy may come from, best first.
std::string PlacePlasmaPlugin(bool buildTree, const std::vector<std::string>& sources);

// The folder plasmashell reads our plugin from, for this user.
std::string UserPlasmaPluginFolder();

}  // namespace sorvane
