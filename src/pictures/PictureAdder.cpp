#include "pictures/PictureAdder.h"

#include <exception>

#include "pictures/JpegFolderListing.h"
#include "platform/AtomicFile.h"
#include "platform/Translate.h"
#include "settings/ConfigFile.h"

namespace sorvane {

namespace {

constexpr const char* AddTitle = SORVANE_TR_NOOP("Sorvane", "Add Picture");

// Hides the progress window however the batch ends.
class ProgressShown {
  public:
    explicit ProgressShown(Dialogs& dialogs) : dialogs_(dialogs) { dialogs_.ShowProgress(); }
    ~ProgressShown() { dialogs_.HideProgress(); }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;

  private:
    Dialogs& dialogs_;
};

// One chosen file's path: its folder (none for a bare name) and its name.
std::string InFolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

}  // namespace

std::string UnstorableNameReason(const std::string& name) {
    if (name.find_first_of("\r\n") != std::string::npos) return "its name contains a line break";
    if (name.find('\\') != std::string::npos) return "its name contains the character \"\\\"";
    if (!IsBareFileName(name)) return "it is not a plain file name";
    return {};
}

PictureAdder::PictureAdder(std::vector<PictureEntry>& pictures, std::string pictureStore,
                           Dialogs& dialogs, Measure measure)
    : pictures_(pictures),
      pictureStore_(std::move(pictureStore)),
      dialogs_(dialogs),
      measure_(std::move(measure)) {}

void PictureAdder::Tell(const std::string& text, MsgIcon icon) {
    dialogs_.MessageBox(text, MsgButtons::Ok, icon, Tr("Sorvane", AddTitle));
}

void PictureAdder::AddOne(const std::string& source, const std::string& name, AddBatch& batch) {
    if (batch.Stopped) return;
    if (const std::string why = UnstorableNameReason(name); !why.empty()) {
        Tell(TrArg(SORVANE_TR("Sorvane", "The file %1 cannot be added because %2."), {name, why}),
             MsgIcon::Exclamation);
        return;
    }
    auto& pictures = pictures_;
    if (pictures.size() >= MaxPictureEntries) {
        Tell(TrArg(SORVANE_TR("Sorvane",
                              "The picture list is full: it holds at most %1 pictures. "
                              "The remaining pictures were not added."),
                   {std::to_string(MaxPictureEntries)}),
             MsgIcon::Exclamation);
        batch.Stopped = true;
        return;
    }

    const std::string target = pictureStore_ + name;
    CopyResult copy;
    if (batch.AskEach) {
        copy = CopyFileAtomically(source, target, true);
        if (copy.Status == CopyStatus::TargetExists) {
            const OverwriteAnswer answer = dialogs_.AskOverwrite(
                SORVANE_TR("Sorvane", "Overwrite Image?"),
                TrArg(SORVANE_TR("Sorvane",
                                 "The file %1 already exists. Do you want to overwrite it?"),
                      {name}));
            if (answer == OverwriteAnswer::Yes || answer == OverwriteAnswer::YesToAll)
                copy = CopyFileAtomically(source, target, false);
            if (answer == OverwriteAnswer::NoToAll || answer == OverwriteAnswer::YesToAll) {
                batch.AskEach = false;
                batch.OverwriteAll = answer == OverwriteAnswer::YesToAll;
            }
        }
    } else {
        copy = CopyFileAtomically(source, target, !batch.OverwriteAll);
    }
    if (copy.Status == CopyStatus::Failed) {
        Tell(TrArg(SORVANE_TR("Sorvane", "The file %1 could not be added: %2."),
                   {name, copy.Reason}),
             MsgIcon::Critical);
        return;
    }

    pictures.push_back({name, TransitionNone, false});
    // Measuring only raises the largest size; a picture it cannot read is
    // dealt with when the copies are prepared.
    try {
        if (measure_) measure_(source);
    } catch (const std::exception&) {
    }
}

AddResult PictureAdder::AddFromFileDialog(const std::string& startDir) {
    OpenFileRequest request;
    request.Title = Tr("Sorvane", AddTitle);
    request.Filter = Tr("Sorvane", AddPictureFilter);
    request.FilterIndex = 1;
    request.InitialDir = startDir;
    request.MultiSelect = true;
    const std::optional<ChosenFiles> chosen = dialogs_.ShowOpenFile(request);
    if (!chosen || chosen->Names.empty()) return {};
    const size_t countBefore = pictures_.size();

    // One file is added on its own; several make a batch with the progress window.
    AddResult result{false, chosen->Folder};
    if (chosen->Names.size() == 1) {
        // A bare name without a folder leaves the start folder as it was.
        if (chosen->Folder.empty()) result.BrowseDir.reset();
        const std::string& name = chosen->Names.front();
        AddBatch single;
        AddOne(InFolder(chosen->Folder, name), name, single);
    } else {
        AddBatchOfNames(chosen->Folder, chosen->Names);
    }
    // Only an add that listed something is an edit.
    result.Edited = pictures_.size() > countBefore;
    return result;
}

FolderPickResult PictureAdder::PickFolder(const std::string& startDir) {
    FolderPickRequest request;
    request.Title = SORVANE_TR("Sorvane", "Add Pictures");
    request.StartPath = startDir;
    request.Instructions =
        SORVANE_TR("Sorvane", "Select a folder which contains pictures you want to add.");
    return dialogs_.PickFolder(request);
}

AddResult PictureAdder::ScanPictureFolder(const std::string& folder) {
    const std::vector<std::string> names = ListJpegNames(folder);
    if (names.empty()) return {};
    const size_t countBefore = pictures_.size();
    AddBatchOfNames(folder, names);
    return {pictures_.size() > countBefore, std::nullopt};
}

void PictureAdder::AddBatchOfNames(const std::string& folder,
                                   const std::vector<std::string>& names) {
    const std::string prefix = folder.ends_with('/') ? folder : folder + "/";
    Progress& progress = dialogs_.ProgressWindow();
    ProgressShown shown(dialogs_);
    progress.SetLabel(SORVANE_TR("Sorvane", "Adding Pictures..."));
    progress.SetMaximum(static_cast<int>(names.size()));
    progress.SetValue(0);
    progress.Repaint();
    AddBatch batch;
    int done = 0;
    for (const std::string& name : names) {
        if (!name.empty()) AddOne(prefix + name, name, batch);
        if (batch.Stopped) break;
        progress.SetValue(++done);
        progress.Repaint();
    }
}

}  // namespace sorvane
