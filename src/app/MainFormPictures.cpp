// Adding, removing and reordering pictures, and the list's selection.
#include "MainForm.h"
#include "imaging/PictureHeader.h"
#include "imaging/Preparation.h"
#include "pictures/PictureAdder.h"
#include "pictures/PictureListEdits.h"
#include "pictures/PreviewFit.h"
#include "platform/ShowLock.h"

namespace sorvane {

namespace {

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

PictureAdder MainForm::Adder() {
    return PictureAdder(state_.Settings.Pictures, state_.Window.PictureStore, dialogs_,
                        [this](const std::string& path) { Measure(path); });
}

void MainForm::Measure(const std::string& path) {
    state_.Window.LargestSize = LargestWith(state_.Window.LargestSize, path);
}

void MainForm::TakeAddResult(const AddResult& result) {
    if (result.BrowseDir) state_.Window.LastBrowseDir = *result.BrowseDir;
    if (result.Edited) MarkChanged();
}

void MainForm::cmdAdd_Click() {
    TakeAddResult(Adder().AddFromFileDialog(state_.Window.LastBrowseDir));
}

void MainForm::cmdAddFolder_Click() {
    const FolderPickResult picked = Adder().PickFolder(state_.Window.LastBrowseDir);
    if (picked.Accepted) ScanPictureFolder(picked.Path);
    state_.Window.LastBrowseDir = picked.Path;
}

void MainForm::ScanPictureFolder(const std::string& folder) {
    TakeAddResult(Adder().ScanPictureFolder(folder));
}

void MainForm::cmdRemove_Click() {
    const std::unique_ptr<ShowLock> lock = LockShow();  // the store's copies go
    dialogs_.HideProgress();
    RemoveSelectedPictures(state_.Settings.Pictures, state_.Controls.ListIndex,
                           state_.Window.PreparedFolder, state_.Window.PictureStore);
    MarkChanged();
}

void MainForm::cmdMoveUp_Click() {
    MoveSelectedUp(state_.Settings.Pictures, state_.Controls.ListIndex);
    MarkChanged();
}

void MainForm::cmdMoveDown_Click() {
    MoveSelectedDown(state_.Settings.Pictures, state_.Controls.ListIndex);
    MarkChanged();
}

void MainForm::SetListButtons() {
    auto& controls = state_.Controls;
    const ListButtons buttons =
        ListButtonsFor(controls.ListIndex, static_cast<int>(state_.Settings.Pictures.size()));
    controls.RemoveEnabled = buttons.Remove;
    controls.MoveUpEnabled = buttons.MoveUp;
    controls.MoveDownEnabled = buttons.MoveDown;
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
    if (const auto size = ReadPictureSize(path, true)) {
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
    SetListButtons();
}

void MainForm::UserSelectedEntries(const std::vector<int>& indices, int current) {
    auto& pics = state_.Settings.Pictures;
    for (auto& p : pics) p.Selected = false;
    for (int i : indices)
        if (i >= 0 && i < static_cast<int>(pics.size())) pics[i].Selected = true;
    state_.Controls.ListIndex = current;
    lstPictures_Click();
}

}  // namespace sorvane
