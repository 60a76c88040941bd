// Placeholder until the browser preview lands.
#include "MainForm.h"

namespace sorvane {

void MainForm::cmdPrevew_Click() {}

}  // namespace sorvane
