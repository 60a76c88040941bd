#include "MainForm.h"
#include "settings/TransitionNames.h"

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

void MainForm::SetDurationText(const std::string& text) {
    if (text == state_.Settings.DurationText) return;
    state_.Settings.DurationText = text;
    txtDuration_Change();
}

void MainForm::SelectTransition(int index) {
    state_.Controls.TransIndex = index;
    cboTrans_Click();
}

void MainForm::UserChoseTransition(int index) {
    if (!state_.Controls.TransEnabled || index < 0 || index >= TransitionCount) return;
    SelectTransition(index);
}

// The picker reports a change; a pick of the colour it shows changes nothing.
void MainForm::UserPickedColour(uint32_t oleColor) {
    if (oleColor == state_.Settings.BackgroundColor) return;
    SetBackgroundColor(oleColor);
    clrBackground_Change();
}

// An option button already on stays on: the group raises no click for it.
void MainForm::UserClickedAlign(int index) {
    if (index < 0 || index > 2 || index == AlignIndexOf(state_.Settings.Alignment)) return;
    optAlign_Click(index);
}

void MainForm::UserEditedDuration(const std::string& text) {
    state_.Settings.DurationText = text;
    txtDuration_Change();
}

}  // namespace sorvane
