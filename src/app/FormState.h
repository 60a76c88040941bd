#pragma once

#include <cstdint>
#include <string>

#include "platform/Geometry.h"
#include "settings/SlideshowSettings.h"

namespace sorvane {

// The window's state beside the record: folders, paths, sizes and flags.
struct WindowState {
    std::string PageFolder;      // the user's pictures folder, no trailing separator
    std::string PictureStore;    // program folder + "/images/" (ends with a separator)
    std::string PreparedFolder;  // PageFolder + "/Sorvane/"
    std::string PreviewPagePath;
    PixelSize TargetSize;
    PixelSize LargestSize;
    std::string LastBrowseDir;
    std::string BrowserFolder;
    bool TransitionsAvailable = false;
    bool SyncingTransition = false;
    uint64_t DesktopBrowserWindow = 0;

    std::string PagePath() const { return PageFolder + "/Sorvane.html"; }
};

// A label's default text colour (the system's button-text colour).
constexpr uint32_t DefaultLabelColor = 0x80000012u;

// What the controls show beyond the record.
struct ControlState {
    int ListIndex = -1;               // the list's current entry (focus), -1 none
    int TransIndex = TransitionNone;  // cboTrans list position
    bool TransEnabled = false;
    int TabIndex = 1;  // 1 Settings, 2 About
    bool ApplyEnabled = false;
    bool RemoveEnabled = false;
    bool MoveUpEnabled = false;
    bool MoveDownEnabled = false;
    bool SetWallpaperEnabled = true;
    bool Busy = false;  // hourglass pointer
    // The preview box (Picture1): its inner size, set by the window, and what
    // the list's click handler asked it to draw. An empty path draws nothing.
    PixelSize PreviewBox{200, 150};
    std::string PreviewPicturePath;
    int32_t PreviewLeft = 0, PreviewTop = 0, PreviewWidth = 0, PreviewHeight = 0;
    // The About page's links: OLE colours, starting as the labels' default text.
    uint32_t EmailLinkColor = DefaultLabelColor;
    uint32_t SiteLinkColor = DefaultLabelColor;
};

// The whole state of the main window. MainForm owns it and alone changes it:
// the subsystems take what they need and return what came of it, and the Qt
// window mirrors the state after every handler.
struct FormState {
    SlideshowSettings Settings;
    WindowState Window;
    ControlState Controls;
};

}  // namespace sorvane
