// Placeholder until adding, removing and reordering land.
#include "MainForm.h"

namespace sorvane {

void MainForm::cmdAdd_Click() {}
void MainForm::cmdAddFolder_Click() {}
void MainForm::ScanPictureFolder(const std::string&) {}
void MainForm::cmdRemove_Click() {}
void MainForm::cmdMoveUp_Click() {}
void MainForm::cmdMoveDown_Click() {}
void MainForm::lstPictures_Click() {}
void MainForm::SelectEntries(const std::vector<int>& indices, int current) {
    auto& pics = state_.Settings.Pictures;
    for (auto& p : pics) p.Selected = false;
    for (int i : indices)
        if (i >= 0 && i < static_cast<int>(pics.size())) pics[i].Selected = true;
    state_.Controls.ListIndex = current;
    lstPictures_Click();
}

}  // namespace sorvane
