#include "MainForm.h"

#include <exception>

#include "platform/NullPlatform.h"

namespace sorvane {

MainForm::MainForm(Platform platform, Dialogs& dialogs)
    : platform_(CompletePlatform(std::move(platform))), dialogs_(dialogs) {}

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

void MainForm::MarkChanged() {
    state_.Settings.Changed = true;
    state_.Controls.ApplyEnabled = true;
}

}  // namespace sorvane
