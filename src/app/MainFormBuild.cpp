#include <algorithm>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "BusyPointer.h"
#include "DesktopWallpaper.h"
#include "MainForm.h"
#include "RunOnlyStore.h"
#include "imaging/Preparation.h"
#include "page/PageGenerator.h"
#include "page/ShowUpdate.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "platform/ShowLock.h"
#include "settings/ConfigFile.h"

namespace fs = std::filesystem;

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

// Each entry is "name: reason".
std::string NotWrittenText(const std::vector<std::string>& pictures) {
    if (pictures.size() == 1) return "a picture could not be prepared, " + pictures.front();
    std::string text = std::to_string(pictures.size()) + " pictures could not be prepared:";
    for (const std::string& p : pictures) text += "\r\n" + p;
    return text;
}

}  // namespace

void MainForm::UpdateTargetSize() {
    state_.Window.TargetSize =
        TargetSizeFor(platform_.screen->WorkArea(), state_.Window.LargestSize);
}

PreparationResult MainForm::RunPreparation(const std::string& folder) {
    // The copies the page shows now: those whose inputs are unchanged are kept.
    const auto& w = state_.Window;
    const auto& settings = state_.Settings;
    // A pretend screen must not shrink the stored pictures for the real one.
    std::optional<RunOnlyStore> runOnly;
    if (platform_.screen->WorkAreaOverridden()) runOnly.emplace(w.PictureStore, settings.Pictures);
    const PreparationInput input{settings.Pictures,
                                 runOnly ? runOnly->Folder() : w.PictureStore,
                                 folder,
                                 settings.BackgroundColor,
                                 AlignIndexOf(settings.Alignment),
                                 w.TargetSize,
                                 w.LargestSize,
                                 w.PreparedFolder};
    PreparationResult result =
        PreparePictures(input, *platform_.screen, *platform_.colors, dialogs_);
    state_.Window.TargetSize = result.TargetSize;
    state_.Window.LargestSize = result.LargestSize;
    return result;
}

void MainForm::WritePageNamed(const std::string& fileName) {
    WritePage(state_.Window.PageFolder, fileName, state_.Settings, TemplatePath(),
              *platform_.colors, dialogs_.ProgressWindow());
}

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
    std::optional<BusyPointer> busy;
    try {
        desktop = CreateActiveDesktop(platform_);
        busy.emplace(controls, dialogs_);
        // One build at a time, from the first change to the last: another
        // program's build is waited for, and a wait that runs out changes nothing.
        stage = BuildStage::Page;
        const std::unique_ptr<ShowLock> lock = LockShow();
        stage = BuildStage::Desktop;
        // What writes cut short by a crash left (a minute's grace for an add
        // of another program's, which takes no lock).
        RemoveLeftoverTempFiles(platform_.folders->ProgramFolder(), std::chrono::seconds(60));
        RemoveLeftoverTempFiles(state_.Window.PictureStore, std::chrono::seconds(60));
        // The page is the wallpaper: take it off while its pictures are rewritten.
        if (!controls.SetWallpaperEnabled) {
            ClearWallpaper(*desktop);
            wallpaperCleared = true;
        }
        stage = BuildStage::Page;
        dialogs_.ShowProgress();
        dialogs_.ProgressWindow().SetLabel("Getting information...");
        dialogs_.ProgressWindow().Repaint();
        UpdateTargetSize();
        // All or nothing: the copies are prepared aside and put in place with
        // the page and config.dat only when every one of them was written.
        ShowUpdate update(state_.Window.PageFolder);
        const PreparationResult run = RunPreparation(update.StagingFolder());
        if (run.Started) {
            if (!run.NotWritten.empty()) throw Error(NotWrittenText(run.NotWritten));
            // A picture refused as too large (the user was told) is left out
            // of the page unless the show keeps an earlier copy of it; the
            // list and config.dat keep it.
            SlideshowSettings shown = state_.Settings;
            std::erase_if(shown.Pictures, [&](const PictureEntry& entry) {
                std::error_code ec;
                return std::find(run.Refused.begin(), run.Refused.end(), entry.FileName) !=
                           run.Refused.end() &&
                       !fs::exists(state_.Window.PreparedFolder + entry.FileName, ec);
            });
            const std::string page =
                ComposePage(shown, TemplatePath(), *platform_.colors, dialogs_.ProgressWindow());
            KeepUnreadableConfigAside();
            update.Commit(std::string(InstalledPageName), page, ConfigFilePath(),
                          FormatConfigFile(state_.Settings));
            dialogs_.ProgressWindow().SetValue(0);
            // The installed page now shows the settings: nothing is left to apply.
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
                const MsgResult answer =
                    dialogs_.MessageBox(platform_.wording.DisabledText, MsgButtons::OkCancel,
                                        MsgIcon::Information, platform_.wording.DisabledTitle);
                // The build does not wait for the settings; a desktop that
                // can't be shown at all is told, never reported as done.
                if (answer == MsgResult::Ok) {
                    const std::string problem = platform_.shell->OpenDisplaySettings();
                    if (!problem.empty())
                        dialogs_.MessageBox(problem, MsgButtons::Ok, MsgIcon::Exclamation,
                                            ProgramTitle);
                }
            }
        }
    } catch (const std::exception& e) {
        buildFailed_ = true;
        dialogs_.HideProgress();
        busy.reset();
        // Only a failure that undid everything leaves the show "as it was".
        const bool undone = dynamic_cast<const ShowNotRestored*>(&e) == nullptr;
        dialogs_.MessageBox(undone ? FailureText(stage, e.what())
                                   : std::string("The slide show was not built: ") + e.what(),
                            MsgButtons::Ok, MsgIcon::Critical, ProgramTitle);
        // Still unapplied: Apply (and OK) can try again.
        MarkChanged();
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
    busy.reset();
}

}  // namespace sorvane
