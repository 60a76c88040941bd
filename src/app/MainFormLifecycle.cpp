#include <exception>
#include <filesystem>
#include <string>
#include <system_error>

#include "BusyPointer.h"
#include "MainForm.h"
#include "imaging/Preparation.h"
#include "page/ShowUpdate.h"
#include "platform/AtomicFile.h"
#include "platform/ShowLock.h"
#include "platform/Translate.h"

namespace fs = std::filesystem;

namespace sorvane {

namespace {

// Creates the folder unless something of that name exists; failures are left
// to the steps that need the folder.
void CreateFolderIfMissing(const std::string& path) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(path, ec))) fs::create_directories(path, ec);
}

}  // namespace

void MainForm::Form_Load() {
    auto& w = state_.Window;
    // A start-up step that fails must not keep the program from starting: the
    // user is told once the window is usable, and the defaults stand.
    std::string problems;
    auto step = [&problems](const std::string& what, auto&& run) {
        try {
            run();
        } catch (const std::exception& e) {
            // A step and its reason (French sets a space before the colon).
            problems += TrArg(SORVANE_TR("Sorvane", "%1: %2"), {what, e.what()}) + "\r\n";
        }
    };
    w.PageFolder = platform_.folders->PicturesFolder();
    step(SORVANE_TR("Sorvane", "Saved folders and sizes"), [this] { LoadRegistrySettings(); });
    const std::string programFolder = platform_.folders->ProgramFolder();
    w.PictureStore = programFolder + "/images/";
    UpdateTargetSize();
    BusyPointer busy(state_.Controls, dialogs_);
    w.PreparedFolder = w.PageFolder + "/Sorvane/";
    std::string recovered;
    if (InterruptedUpdateLeftAside(w.PageFolder)) {
        try {
            // Only while no other program builds: its half-done swap is no crash.
            const std::unique_ptr<ShowLock> lock = LockShow(std::chrono::seconds(0));
            recovered = RecoverInterruptedUpdate(w.PageFolder);
        } catch (const std::exception&) {
        }
    }
    CreateFolderIfMissing(w.PageFolder + "/Sorvane");
    CreateFolderIfMissing(programFolder + "/images");
    step(SORVANE_TR("Sorvane", "Slide show settings"), [this] { ReadConfigFile(); });
    w.PreviewPagePath = platform_.tempNames->TempFileName(w.PageFolder, "WP", 1) + ".html";
    state_.Controls.ApplyEnabled = false;
    busy.End();
    if (!recovered.empty())
        dialogs_.MessageBox(recovered, MsgButtons::Ok, MsgIcon::Information, "Desktop Sorvane");
    if (!problems.empty())
        dialogs_.MessageBox(
            TrArg(SORVANE_TR("Sorvane",
                             "Some settings could not be read, so defaults are used:\r\n\r\n%1"),
                  {problems}),
            MsgButtons::Ok, MsgIcon::Exclamation, "Desktop Sorvane");
}

void MainForm::TabStrip1_Click(int tabIndex) { state_.Controls.TabIndex = tabIndex == 1 ? 1 : 2; }

void MainForm::Form_QueryUnload() { Unload(true); }

void MainForm::Unload(bool save) {
    // Closing carries on past every failure.
    try {
        if (save) SaveRegistrySettings();
    } catch (const std::exception&) {
    }
    std::error_code ec;
    if (!state_.Window.PreviewPagePath.empty()) fs::remove(state_.Window.PreviewPagePath, ec);
    try {
        dialogs_.UnloadSecondaryWindows();
    } catch (const std::exception&) {
    }
    closed_ = true;
}

void MainForm::cmdOk_Click() {
    if (state_.Settings.Changed) {
        cmdApply_Click();
        // The user was told why the build failed; closing now would lose the
        // edits it was meant to keep. (A picture-preparation error still closes.)
        if (buildFailed_) return;
    }
    Form_QueryUnload();
}

void MainForm::cmdCancel_Click() { Form_QueryUnload(); }

}  // namespace sorvane
