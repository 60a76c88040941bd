#include "MainForm.h"

namespace sorvane {

void MainForm::cboTrans_Click() {
    for (auto& entry : state_.Settings.Pictures)
        if (entry.Selected) entry.TransitionIndex = state_.Controls.TransIndex;
    if (!state_.Window.SyncingTransition) MarkChanged();
}

void MainForm::clrBackground_Change() { MarkChanged(); }

void MainForm::optAlign_Click(int index) {
    state_.Settings.Alignment = AlignmentWord(index);
    MarkChanged();
}

void MainForm::txtDuration_Change() { MarkChanged(); }

void MainForm::SetBackgroundColor(uint32_t oleColor) { state_.Settings.BackgroundColor = oleColor; }

void MainForm::SetDurationText(const std::string& text) {
    if (text == state_.Settings.DurationText) return;
    state_.Settings.DurationText = text;
    txtDuration_Change();
}

void MainForm::SelectAlignOption(int index) {
    if (index == AlignIndexOf(state_.Settings.Alignment)) return;
    optAlign_Click(index);
}

void MainForm::SelectTransition(int index) {
    state_.Controls.TransIndex = index;
    cboTrans_Click();
}

}  // namespace sorvane
