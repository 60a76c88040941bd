#include "MainForm.h"

#include <exception>

#include "platform/NullPlatform.h"
#include "platform/ProgramPath.h"
#include "platform/ShowLock.h"
#include "platform/Translate.h"

namespace sorvane {

MainForm::MainForm(Platform platform, Dialogs& dialogs)
    : platform_(CompletePlatform(std::move(platform))), dialogs_(dialogs) {
    // The platform's texts are marked where they are worded; they are read in
    // the user's language from here on.
    DesktopWording& w = platform_.wording;
    for (std::string* text : {&w.NotEnabledTitle, &w.NotEnabledText, &w.DisabledTitle,
                              &w.DisabledText, &w.ShowNoteTitle, &w.Requirements})
        *text = Tr("Sorvane", text->c_str());
}

std::string MainForm::TemplatePath() const { return platform_.folders->TemplatePath(); }

void MainForm::Guard(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        // A handler that failed half-way may have left its progress up.
        dialogs_.HideProgress();
        dialogs_.MessageBox(e.what(), MsgButtons::Ok, MsgIcon::Critical, "Desktop Sorvane");
    }
}

std::unique_ptr<ShowLock> MainForm::LockShow(std::chrono::seconds bound) {
    const std::string folder = platform_.folders->ProgramFolder();
    const std::string name = ProgramName().empty() ? "Desktop Sorvane" : ProgramName();
    return std::make_unique<ShowLock>(
        folder + "/show.lock", name, bound, [this](const std::string& holder) {
            dialogs_.ShowProgress();
            dialogs_.ProgressWindow().SetLabel(
                TrArg(SORVANE_TR("Sorvane", "Waiting for %1 to finish..."), {holder}));
            dialogs_.ProgressWindow().Repaint();
        });
}

void MainForm::MarkChanged() {
    state_.Settings.Changed = true;
    state_.Controls.ApplyEnabled = true;
}

}  // namespace sorvane
