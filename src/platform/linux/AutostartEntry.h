#pragma once

#include <string>

namespace sorvane {

// The XDG autostart entry that starts the desktop host at login while our
// page is the wallpaper: $XDG_CONFIG_HOME/autostart/<our id>.desktop.
std::string AutostartEntryPath();

// The entry's text. Its Exec line asks the host to check, at login, that the
// wallpaper still names `pagePath` before it shows anything.
std::string AutostartEntryText(const std::string& hostProgram, const std::string& pagePath);

// Both throw sorvane::Error with a readable message when the file can't be
// written or removed; removing an entry that isn't there is no failure.
void WriteAutostartEntry(const std::string& hostProgram, const std::string& pagePath);
void RemoveAutostartEntry();

}  // namespace sorvane
