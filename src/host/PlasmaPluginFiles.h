#pragma once

#include <string>

namespace sorvane {

// Puts our wallpaper plugin where plasmashell finds it. Installed for everyone
// (plasma/wallpapers in a folder of XDG_DATA_DIRS) it is used as it is, and a
// copy of ours for this user, which would hide it, goes. Otherwise the plugin
// beside the program (or, for a program in its build tree, the source tree's)
// is copied into $XDG_DATA_HOME/plasma/wallpapers/. "" when the plugin is in
// place, else why not.
std::string PlacePlasmaPlugin();

// The folder plasmashell reads our plugin from, for this user.
std::string UserPlasmaPluginFolder();

}  // namespace sorvane
