// Placeholder until the desktop host and the Active Desktop layer land.
#include "MainForm.h"

namespace sorvane {

void MainForm::cmdSetWallpaper_Click() {}
bool MainForm::IsActiveDesktopOn() { return false; }
void MainForm::LoadDesktopFacts() {}

}  // namespace sorvane
