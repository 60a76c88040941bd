// Placeholder until config.dat and the registry values land.
#include "MainForm.h"

namespace sorvane {

std::string MainForm::ConfigFilePath() const { return platform_.folders->ProgramFolder() + "/config.dat"; }
void MainForm::ReadConfigFile() {}
void MainForm::WriteConfigFile() {}
void MainForm::LoadRegistrySettings() { LoadDesktopFacts(); }
void MainForm::SaveRegistrySettings() {}

}  // namespace sorvane
