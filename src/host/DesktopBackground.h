#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DesktopShell.h"

namespace sorvane {

// A desktop's own background settings: key -> value as GVariant text
// (g_variant_print with types), nullopt where the key is unset and the
// desktop's default applies.
using BackgroundSettings = std::map<std::string, std::optional<std::string>>;

// The background setting of a desktop that draws wallpaper and icons in one
// window of its own. We change only that setting, so the icons stay on top.
class DesktopBackground {
  public:
    virtual ~DesktopBackground() = default;

    // "xfdesktop", "pcmanfm-qt", ... for messages.
    virtual std::string Name() const = 0;
    // The settings we would change, as they stand; nullopt and `why` when
    // they can't be read (then nothing may be changed: it could not be given
    // back).
    virtual std::optional<BackgroundSettings> Read(std::string& why) const = 0;
    // Shows `picture`, already of the screen's size, centred and unscaled on
    // every monitor. "" or why not.
    virtual std::string Set(const std::string& picture) = 0;
    // Puts settings that Read() gave back in place. "" or why not.
    virtual std::string Write(const BackgroundSettings& settings) = 0;
    // The picture each monitor's setting names now ("" where unknown).
    virtual std::vector<std::string> Shown() const = 0;
};

// xfdesktop (Xfce), through xfconf on the session bus.
std::unique_ptr<DesktopBackground> MakeXfdesktopBackground();
// pcmanfm-qt --desktop (LXQt), through its command line and settings.conf.
std::unique_ptr<DesktopBackground> MakePcmanfmQtBackground();
// caja (MATE) and nemo-desktop (Cinnamon), through GSettings.
std::unique_ptr<DesktopBackground> MakeCajaBackground();
std::unique_ptr<DesktopBackground> MakeNemoBackground();
// The one for `shell`, or null where the shell has no background setting of
// this kind.
std::unique_ptr<DesktopBackground> MakeDesktopBackground(DesktopShell shell);

// Whether a picture is one of our prepared copies: they live in a folder
// named "Sorvane" beside the page. Such a picture is never kept as the
// user's own background.
bool IsPreparedCopy(const std::string& path);

// The user's own background, kept on disk under
// $XDG_STATE_HOME/desktop-sorvane/ from before our first change, so that a
// later run gives it back even after a crash or a logout.
class SavedBackground {
  public:
    explicit SavedBackground(DesktopBackground& desktop);

    // Before a change: keeps the settings as they stand unless they show one
    // of our pictures (left from a run that ended without giving back: the
    // file from then stays). "" or why the settings can't be kept.
    std::string KeepCurrent();
    // Gives the kept settings back and forgets them; "" (also when nothing
    // is kept) or why not, keeping them for another try.
    std::string GiveBack();
    // The user chose a background of their own meanwhile: nothing to give back.
    void Forget();
    bool Kept() const;
    std::string Path() const { return path_; }

  private:
    DesktopBackground& desktop_;
    std::string path_;
    bool keptThisRun_ = false;
};

// The saved settings' file text and back; nullopt for a damaged file.
std::string FormatBackgroundSettings(const BackgroundSettings& settings);
std::optional<BackgroundSettings> ParseBackgroundSettings(const std::string& text);

}  // namespace sorvane
