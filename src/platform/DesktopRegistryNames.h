#pragma once

namespace sorvane {

// Registry values that describe the desktop and the browser, where the
// platform keeps them (the Linux layer keeps the same names in our store).
inline constexpr const char* DesktopGeneralKey =
    "Software\\Microsoft\\Internet Explorer\\Desktop\\General";
inline constexpr const char* WallpaperValueName = "Wallpaper";
inline constexpr const char* BrowserSetupKey = "Software\\Microsoft\\IE Setup\\Setup";
inline constexpr const char* BrowserSetupPathName = "Path";
inline constexpr const char* BrowserKey = "Software\\Microsoft\\Internet Explorer";
inline constexpr const char* BrowserVersionName = "Version";

}  // namespace sorvane
