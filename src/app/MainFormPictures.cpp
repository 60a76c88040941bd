// Adding, removing and reordering pictures, and the list's selection.
#include "MainForm.h"
#include "imaging/PictureHeader.h"
#include "imaging/Preparation.h"
#include "pictures/PictureAdder.h"
#include "pictures/PictureListEdits.h"
#include "pictures/PreviewFit.h"

namespace sorvane {

namespace {

PictureAdder AdderFor(FormState& state, Dialogs& dialogs) {
    return PictureAdder(state, dialogs,
                        [&state](const std::string& path) { MeasurePicture(state, path); });
}

// Tells the transition box's change handling that the program, not the user,
// moved it, for as long as the guard lives.
class SyncingTransitionScope {
  public:
    explicit SyncingTransitionScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~SyncingTransitionScope() { flag_ = false; }
    SyncingTransitionScope(const SyncingTransitionScope&) = delete;
    SyncingTransitionScope& operator=(const SyncingTransitionScope&) = delete;

  private:
    bool& flag_;
};

}  // namespace

void MainForm::cmdAdd_Click() { AdderFor(state_, dialogs_).AddFromFileDialog(); }

void MainForm::cmdAddFolder_Click() {
    AdderFor(state_, dialogs_).AddFromFolderPicker([this](const std::string& folder) {
        ScanPictureFolder(folder);
    });
}

void MainForm::ScanPictureFolder(const std::string& folder) {
    AdderFor(state_, dialogs_).ScanPictureFolder(folder);
}

void MainForm::cmdRemove_Click() {
    RemoveSelectedPictures(state_);
    state_.MarkChanged();
}

void MainForm::cmdMoveUp_Click() {
    MoveSelectedUp(state_.Settings.Pictures, state_.Controls.ListIndex);
    state_.MarkChanged();
}

void MainForm::cmdMoveDown_Click() {
    MoveSelectedDown(state_.Settings.Pictures, state_.Controls.ListIndex);
    state_.MarkChanged();
}

void MainForm::lstPictures_Click() {
    auto& controls = state_.Controls;
    const auto& pictures = state_.Settings.Pictures;
    const int index = controls.ListIndex;
    const int count = static_cast<int>(pictures.size());
    if (index < 0 || index >= count) return;
    const PictureEntry& entry = pictures[index];

    // A picture that cannot be read leaves the box showing what it showed.
    const std::string path = state_.Window.PictureStore + entry.FileName;
    if (const auto size = ReadPictureSize(path)) {
        if (const auto rect = FitPreview(*size, controls.PreviewBox)) {
            controls.PreviewPicturePath = path;
            controls.PreviewLeft = rect->Left;
            controls.PreviewTop = rect->Top;
            controls.PreviewWidth = rect->Width;
            controls.PreviewHeight = rect->Height;
        }
    }

    // The transition box and the buttons follow the entry even when its
    // picture is unreadable, so that a broken entry can still be removed.
    const int transition = entry.TransitionIndex;
    if (state_.Window.TransitionsAvailable && transition >= 0 && transition < TransitionCount) {
        SyncingTransitionScope syncing(state_.Window.SyncingTransition);
        SelectTransition(transition);
        controls.TransEnabled = true;
    }
    SetListButtons(controls, index, count);
}

void MainForm::SelectEntries(const std::vector<int>& indices, int current) {
    auto& pics = state_.Settings.Pictures;
    for (auto& p : pics) p.Selected = false;
    for (int i : indices)
        if (i >= 0 && i < static_cast<int>(pics.size())) pics[i].Selected = true;
    state_.Controls.ListIndex = current;
    lstPictures_Click();
}

}  // namespace sorvane
