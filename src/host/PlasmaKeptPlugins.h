#pragma once

#include <string>
#include <vector>

#include "PlasmaScripts.h"

namespace sorvane {

// The wallpaper plugins the user had before ours, kept on disk before our
// first change so that even after a crash the next host gives them back.

// What to keep before showing ours on `desktops`: each desktop's plugin, unless
// it is ours already (then what was kept before stays).
PlasmaPlugins KeepPlasmaPlugins(PlasmaPlugins kept, const std::vector<PlasmaDesktop>& desktops);

// The kept plugins on disk, one "ID PLUGIN" line each (the plugin
// percent-encoded). Missing or unreadable: none.
PlasmaPlugins ReadKeptPlasmaPlugins(const std::string& path);
// Throws sorvane::Error.
void WriteKeptPlasmaPlugins(const std::string& path, const PlasmaPlugins& kept);

// $XDG_STATE_HOME/desktop-sorvane/plasma-wallpapers
std::string KeptPlasmaPluginsPath();

}  // namespace sorvane
