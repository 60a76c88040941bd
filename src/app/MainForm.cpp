#include "MainForm.h"

namespace sorvane {

MainForm::MainForm(Platform platform, Dialogs& dialogs)
    : platform_(std::move(platform)), dialogs_(dialogs) {}

std::string MainForm::TemplatePath() const { return platform_.folders->TemplatePath(); }

}  // namespace sorvane
