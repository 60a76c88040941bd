#include "MainForm.h"
#include "imaging/Preparation.h"
#include "page/PageGenerator.h"
#include "platform/Error.h"

namespace sorvane {

// The build behind Apply: prepare the pictures, write the page and config.dat.
// (First cut: the Active Desktop steps and failure reporting come with the window.)
void MainForm::cmdApply_Click() {
    dialogs_.SetBusy(true);
    dialogs_.ShowProgress();
    dialogs_.ProgressWindow().SetLabel("Getting information...");
    dialogs_.ProgressWindow().Repaint();
    try {
        ComputeTargetSize(state_, *platform_.screen);
        if (PreparePictures(state_, *platform_.screen, *platform_.colors, dialogs_)) {
            std::string name;
            WritePage(name, state_, TemplatePath(), *platform_.colors, dialogs_.ProgressWindow());
            WriteConfigFile();
        }
    } catch (const Error& e) {
        dialogs_.HideProgress();
        dialogs_.MessageBox(e.what(), MsgButtons::Ok, MsgIcon::Critical, "Desktop Sorvane");
    }
    dialogs_.HideProgress();
    dialogs_.UnloadProgress();
    dialogs_.SetBusy(false);
}

}  // namespace sorvane
