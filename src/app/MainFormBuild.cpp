#include <exception>
#include <memory>
#include <string>

#include "DesktopWallpaper.h"
#include "MainForm.h"
#include "imaging/Preparation.h"
#include "page/PageGenerator.h"
#include "page/ShowUpdate.h"
#include "platform/Error.h"
#include "settings/ConfigFile.h"

namespace sorvane {

namespace {

constexpr char ProgramTitle[] = "Desktop Sorvane";

// Where a build stood when something failed, for a message that says what was
// and was not done.
enum class BuildStage { Desktop, Page, Wallpaper };

std::string FailureText(BuildStage stage, const std::string& reason) {
    switch (stage) {
        case BuildStage::Desktop:
            return "The desktop could not be reached, so nothing was built.\r\n\r\n" + reason;
        case BuildStage::Page:
            return "The slide show was not built: " + reason +
                   "\r\n\r\nThe page and your saved settings were left as they were.";
        case BuildStage::Wallpaper:
            break;
    }
    return "The slide show page was written, but the desktop could not be updated.\r\n\r\n" +
           reason;
}

std::string NotWrittenText(const std::vector<std::string>& pictures) {
    std::string text = "These pictures could not be written";
    text += pictures.size() > 1 ? ":" : ": ";
    for (const std::string& p : pictures) text += (pictures.size() > 1 ? "\r\n" : "") + p;
    return text;
}

}  // namespace

// The build behind Apply (and OK with unapplied edits): prepare the pictures,
// write the page and config.dat, and refresh the desktop when the page is its
// wallpaper. A failure of any step is told to the user; the progress window and
// the pointer are restored, and Apply stays enabled so the build can be retried.
void MainForm::cmdApply_Click() {
    auto& controls = state_.Controls;
    buildFailed_ = false;
    BuildStage stage = BuildStage::Desktop;
    bool wallpaperCleared = false;
    std::unique_ptr<ActiveDesktop> desktop;
    try {
        desktop = CreateActiveDesktop(platform_);
        controls.Busy = true;
        dialogs_.SetBusy(true);
        // The page is the wallpaper: take it off while its pictures are rewritten.
        if (!controls.SetWallpaperEnabled) {
            ClearWallpaper(*desktop);
            wallpaperCleared = true;
        }
        stage = BuildStage::Page;
        dialogs_.ShowProgress();
        dialogs_.ProgressWindow().SetLabel("Getting information...");
        dialogs_.ProgressWindow().Repaint();
        ComputeTargetSize(state_, *platform_.screen);
        // All or nothing: the copies are prepared aside and put in place with
        // the page and config.dat only when every one of them was written.
        ShowUpdate update(state_.Window.PageFolder);
        PrepareRun run{update.StagingFolder(), {}};
        if (PreparePictures(state_, *platform_.screen, *platform_.colors, dialogs_, &run)) {
            if (!run.NotWritten.empty()) throw Error(NotWrittenText(run.NotWritten));
            const std::string page =
                ComposePage(state_, TemplatePath(), *platform_.colors, dialogs_.ProgressWindow());
            KeepUnreadableConfigAside();
            update.Commit(std::string(InstalledPageName), page, ConfigFilePath(),
                          FormatConfigFile(state_.Settings));
            dialogs_.ProgressWindow().SetValue(0);
            state_.Settings.Changed = false;
            controls.ApplyEnabled = false;
            stage = BuildStage::Wallpaper;
            dialogs_.HideProgress();
            const bool activeDesktopOn = IsActiveDesktopOn();
            if (activeDesktopOn && !controls.SetWallpaperEnabled) {
                InstallWallpaper(*desktop, state_.Window.PagePath());
                wallpaperCleared = false;
            } else if (!activeDesktopOn) {
                // A build that went through leaves a cleared wallpaper cleared.
                wallpaperCleared = false;
                const MsgResult answer = dialogs_.MessageBox(
                    "You need to enable 'Active Desktop' under the 'Web' tab of your Display "
                    "Settings.\r\n\r\nClick 'OK' to do this now.",
                    MsgButtons::OkCancel, MsgIcon::Information, "Active Desktop Disabled");
                // The build does not wait for the settings, nor look at the outcome.
                if (answer == MsgResult::Ok) platform_.shell->OpenDisplaySettings();
            }
        }
    } catch (const std::exception& e) {
        buildFailed_ = true;
        dialogs_.HideProgress();
        controls.Busy = false;
        dialogs_.SetBusy(false);
        dialogs_.MessageBox(FailureText(stage, e.what()), MsgButtons::Ok, MsgIcon::Critical,
                            ProgramTitle);
        // Still unapplied: Apply (and OK) can try again.
        state_.MarkChanged();
    }
    // A build that failed after taking the page off the desktop puts the old
    // page back rather than leaving the desktop empty.
    if (wallpaperCleared && desktop) {
        try {
            InstallWallpaper(*desktop, state_.Window.PagePath());
        } catch (const std::exception&) {
        }
    }
    desktop.reset();
    dialogs_.HideProgress();
    dialogs_.UnloadProgress();
    controls.Busy = false;
    dialogs_.SetBusy(false);
}

}  // namespace sorvane
