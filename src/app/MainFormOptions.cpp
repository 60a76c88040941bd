#include "MainForm.h"

namespace sorvane {

void MainForm::cboTrans_Click() {
    for (auto& entry : state_.Settings.Pictures)
        if (entry.Selected) entry.TransitionIndex = state_.Controls.TransIndex;
    if (!state_.Window.SyncingTransition) state_.MarkChanged();
}

void MainForm::clrBackground_Change() { state_.MarkChanged(); }

void MainForm::optAlign_Click(int index) {
    state_.Controls.AlignIndex = index;
    state_.Settings.Alignment = index == 0 ? "left" : index == 1 ? "center" : "right";
    state_.MarkChanged();
}

void MainForm::txtDuration_Change() { state_.MarkChanged(); }

void MainForm::SetBackgroundColor(uint32_t oleColor) { state_.Settings.BackgroundColor = oleColor; }

void MainForm::SetDurationText(const std::string& text) {
    if (text == state_.Settings.DurationText) return;
    state_.Settings.DurationText = text;
    txtDuration_Change();
}

void MainForm::SelectAlignOption(int index) {
    if (index == state_.Controls.AlignIndex) return;
    optAlign_Click(index);
}

void MainForm::SelectTransition(int index) {
    state_.Controls.TransIndex = index;
    cboTrans_Click();
}

}  // namespace sorvane
