// Placeholder until the codecs land: measures nothing, prepares nothing.
#include "Preparation.h"

namespace sorvane {

void MeasurePicture(FormState&, const std::string&) {}

bool PreparePictures(FormState& form, Screen& screen, ColorTranslator&, Dialogs& dialogs) {
    dialogs.ProgressWindow().SetLabel("Creating Images...");
    if (form.Window.TargetSize.Width == 0 || form.Window.TargetSize.Height == 0)
        ComputeTargetSize(form, screen);
    return true;
}

}  // namespace sorvane
