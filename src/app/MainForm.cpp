#include "MainForm.h"

#include "platform/NullPlatform.h"

namespace sorvane {

MainForm::MainForm(Platform platform, Dialogs& dialogs)
    : platform_(CompletePlatform(std::move(platform))), dialogs_(dialogs) {}

std::string MainForm::TemplatePath() const { return platform_.folders->TemplatePath(); }

void MainForm::MarkChanged() {
    state_.Settings.Changed = true;
    state_.Controls.ApplyEnabled = true;
}

}  // namespace sorvane
