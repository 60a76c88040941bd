#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Backdrop.h"
#include "SessionProbe.h"

namespace sorvane {

// The program that draws this user's desktop, found by what runs (not by the
// session's name): each needs its own way of getting our page on screen.
enum class DesktopShell {
    None,       // nobody: our own surfaces are the desktop
    Plasma,     // plasmashell: wallpaper and icons in one window, with plugins
    Xfdesktop,  // Xfce: wallpaper and icons in one window, no plugins
    PcmanfmQt,  // LXQt's pcmanfm-qt --desktop: the same shape
    Caja,       // MATE's file manager drawing the desktop
    Nemo,       // Cinnamon's nemo-desktop
};

// What a probe found: the shell, and on wlroots compositors whether another
// client (swaybg and the like) already holds the background layer.
struct ShellProbe {
    DesktopShell shell = DesktopShell::None;
    bool wallpaperClient = false;
    bool operator==(const ShellProbe&) const = default;
};

ShellProbe ProbeDesktopShell();
// "KDE Plasma", "xfdesktop", ... for messages and `status`.
std::string ShellName(DesktopShell shell);

}  // namespace sorvane
