#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/Geometry.h"
#include "platform/Translate.h"

namespace sorvane {

class RegistryBackend;

// Where the program's own files live.
class Folders {
  public:
    virtual ~Folders() = default;
    // The user's pictures folder (My Pictures); "" when the lookup fails.
    virtual std::string PicturesFolder() = 0;
    // The program's folder in the original: here a per-user data folder that
    // holds config.dat and images/. No trailing separator.
    virtual std::string ProgramFolder() = 0;
    // template.html: the user's copy in ProgramFolder() when present, else the
    // installed one (or the build tree's).
    virtual std::string TemplatePath() = 0;
};

class Screen {
  public:
    virtual ~Screen() = default;
    // The primary screen's work area (desktop less panels).
    virtual Rect WorkArea() = 0;
    // True when WorkArea() is a stand-in given for this run only (a scripted
    // or headless run): nothing derived from it may outlast the run.
    virtual bool WorkAreaOverridden() { return false; }
};

class TempNames {
  public:
    virtual ~TempNames() = default;
    // GetTempFileName with a non-zero unique number: forms folder + separator +
    // prefix + hex(unique) + ".TMP" and creates nothing.
    virtual std::string TempFileName(const std::string& folder, const std::string& prefix,
                                     unsigned unique) = 0;
};

class ColorTranslator {
  public:
    virtual ~ColorTranslator() = default;
    // OLE colour -> 0x00BBGGRR; system-colour references (high byte 0x80) are
    // resolved; an unknown reference or another high byte fails (nullopt).
    virtual std::optional<uint32_t> Translate(uint32_t oleColor) = 0;
};

class Shell {
  public:
    virtual ~Shell() = default;
    // Opens a URL, a mailto: address or a file with the user's default handler.
    // The result is a hint only; callers mostly ignore it.
    virtual bool Open(const std::string& target) = 0;
    // Opens a page in the user's web browser.
    virtual bool OpenInBrowser(const std::string& pagePath) = 0;
    // The folder of the user's default browser ("" when none is found).
    virtual std::string BrowserFolder() = 0;
    // Whether page transitions can be shown (a browser or our desktop host exists).
    virtual bool TransitionsAvailable() = 0;
    // Turns the web desktop on (the original opens the display settings;
    // Linux starts our desktop host). "" when done or when there is nothing to
    // say, else a message for the user: why the desktop can't be shown.
    virtual std::string OpenDisplaySettings() = 0;
};

// The Active Desktop shell object: one instance per command.
class ActiveDesktop {
  public:
    virtual ~ActiveDesktop() = default;
    static constexpr unsigned ApplyAll = 7;  // save + regenerate + refresh
    // Each call throws sorvane::Error when it fails.
    virtual std::string GetWallpaper() = 0;
    virtual void SetWallpaper(const std::string& path) = 0;
    virtual void ApplyChanges(unsigned flags) = 0;
    // What the desktop leaves out of the installed slide show, for the user
    // ("" for nothing): one that shows a picture at a time has no transitions.
    virtual std::string ShowNote() { return {}; }
    // Puts back the wallpaper kept from before the page was first installed.
    virtual void GiveBack(const std::string& oldPaper) {
        SetWallpaper(oldPaper);
        ApplyChanges(ApplyAll);
    }
};

// The windows that show whether the desktop is drawn by a browser engine.
class DesktopWindows {
  public:
    virtual ~DesktopWindows() = default;
    // The desktop's browser window (here: our running host's window id), or 0.
    virtual uint64_t FindDesktopBrowserWindow() = 0;
};

// The texts that name the desktop's own parts. The defaults are the
// original's; a platform words them for what its users really have.
struct DesktopWording {
    // Set Wallpaper while the web desktop is off (OK only).
    std::string NotEnabledTitle = SORVANE_TR_NOOP("Sorvane", "Active Desktop Not Enabled");
    std::string NotEnabledText = SORVANE_TR_NOOP(
        "Sorvane",
        "You will need to enable Active Desktop before you can view this page as your wallpaper.");
    // A build that finds the web desktop off (OK starts it, Cancel doesn't).
    std::string DisabledTitle = SORVANE_TR_NOOP("Sorvane", "Active Desktop Disabled");
    std::string DisabledText =
        SORVANE_TR_NOOP("Sorvane",
                        "You need to enable 'Active Desktop' under the 'Web' tab of your Display "
                        "Settings.\r\n\r\nClick 'OK' to do this now.");
    // Set Wallpaper on a desktop that shows less than the page (OK only).
    std::string ShowNoteTitle = SORVANE_TR_NOOP("Sorvane", "Desktop Slide Show");
    // The About page's requirements.
    std::string Requirements = SORVANE_TR_NOOP(
        "Sorvane",
        "You will need to enable Active Desktop in order to use this program. To view the "
        "transforms you also need Internet Explorer 5.5 installed and the latest version of "
        "DirectX.");
};

// Every platform service, chosen in one place.
struct Platform {
    DesktopWording wording;
    std::shared_ptr<Folders> folders;
    std::shared_ptr<Screen> screen;
    std::shared_ptr<TempNames> tempNames;
    std::shared_ptr<ColorTranslator> colors;
    std::shared_ptr<Shell> shell;
    std::shared_ptr<DesktopWindows> desktopWindows;
    std::shared_ptr<RegistryBackend> registry;
    // A new Active Desktop object for one command; throws sorvane::Error when
    // the object is not available.
    std::function<std::unique_ptr<ActiveDesktop>()> newActiveDesktop;
    // Whether the desktop shows the page at the path, where the desktop itself
    // can tell (one that plays its own slide show); unset, the wallpaper
    // setting tells.
    std::function<bool(const std::string& pagePath)> desktopShowsPage;
};

}  // namespace sorvane
