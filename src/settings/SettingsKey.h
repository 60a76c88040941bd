#pragma once

namespace sorvane {

// The per-user registry key under which the program keeps its values
// (LastBrowseDir, RecWidth, RecHeight, OldPaper).
inline constexpr const char* SettingsRegistryKey = "Software\\Tovik\\Desktop Sorvane";

}  // namespace sorvane
