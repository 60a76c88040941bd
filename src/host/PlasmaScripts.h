#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace sorvane {

// The scripts the host runs in plasmashell (its evaluateScript on D-Bus) and
// what it reads back from them. Values cross in both directions
// percent-encoded, so no path or plugin name can break a script or a line.

inline constexpr const char* PlasmaPluginId = "org.example.desktopsorvane";

// One desktop containment of plasmashell as a script reads it; the last three
// are our plugin's settings in it.
struct PlasmaDesktop {
    int id = 0;
    int screen = -1;  // -1: on no screen now
    std::string plugin;
    std::string page;
    int revision = 0;
    std::string shown;  // "REVISION URL" of the page our plugin last loaded
    bool operator==(const PlasmaDesktop&) const = default;
};

// Containment id -> the wallpaper plugin the user had there.
using PlasmaPlugins = std::map<int, std::string>;

// Prints one line per desktop containment.
std::string PlasmaReadScript();
// nullopt when the output is not what PlasmaReadScript prints.
std::optional<std::vector<PlasmaDesktop>> ParsePlasmaDesktops(const std::string& output);

// Shows `pageUrl` with our plugin on the desktops named in `desktops` (those
// whose own plugin is already kept); the same page again is reloaded.
std::string PlasmaApplyScript(const std::string& pageUrl, const std::vector<int>& desktops);
// Gives every desktop that still shows our plugin its kept plugin back (Plasma
// keeps each plugin's settings apart, so that is the user's wallpaper again);
// Plasma's default picture where none is kept.
std::string PlasmaGiveBackScript(const PlasmaPlugins& kept);

// "" when every desktop on a screen shows `pageUrl` with our plugin, else why
// not, for the user.
std::string PlasmaNotSeen(const std::vector<PlasmaDesktop>& desktops, const std::string& pageUrl);

std::string PercentEncode(const std::string& text);
// nullopt on a malformed escape.
std::optional<std::string> PercentDecode(const std::string& text);

}  // namespace sorvane
