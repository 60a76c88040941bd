#pragma once

namespace sorvane::ids {

// The main window's control identifiers. None is IDOK or IDCANCEL: Enter and
// Escape press no button, as in the window on Linux.
enum : int {
    Tabs = 100,
    List,
    Add,
    AddFolder,
    Remove,
    MoveUp,
    MoveDown,
    Preview,
    Trans,
    Colour,
    Duration,
    Align0,
    Align1,
    Align2,
    Prevew,
    SetWallpaper,
    Help,
    Ok,
    Cancel,
    Apply,
    EmailLink,
    SiteLink,
    AboutPicture,
};

}  // namespace sorvane::ids
