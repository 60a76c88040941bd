#include "AboutPage.h"
#include "MainForm.h"

namespace sorvane {

// The result is not examined: without a mail program or browser nothing happens.
void MainForm::lblEmail_Click() { platform_.shell->Open("mailto:" + std::string(about::Email)); }
void MainForm::lblOrl_Click() { platform_.shell->Open(std::string(about::Site)); }

}  // namespace sorvane
