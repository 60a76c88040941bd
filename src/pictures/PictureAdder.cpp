#include "pictures/PictureAdder.h"

#include <exception>

#include "pictures/JpegFolderListing.h"
#include "platform/AtomicFile.h"
#include "settings/ConfigFile.h"

namespace sorvane {

namespace {

constexpr int AnswerYes = 1, AnswerNoToAll = 2, AnswerYesToAll = 3;
constexpr const char* AddTitle = "Add Picture";

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

}  // namespace

std::string UnstorableNameReason(const std::string& name) {
    if (name.find_first_of("\r\n") != std::string::npos) return "its name contains a line break";
    if (name.find('\\') != std::string::npos) return "its name contains the character \"\\\"";
    if (!IsBareFileName(name)) return "it is not a plain file name";
    return {};
}

PictureAdder::PictureAdder(FormState& form, Dialogs& dialogs, Measure measure)
    : form_(form), dialogs_(dialogs), measure_(std::move(measure)) {}

void PictureAdder::Tell(const std::string& text, MsgIcon icon) {
    dialogs_.MessageBox(text, MsgButtons::Ok, icon, AddTitle);
}

void PictureAdder::AddOne(const std::string& source, const std::string& name, AddBatch& batch) {
    if (batch.Stopped) return;
    if (const std::string why = UnstorableNameReason(name); !why.empty()) {
        Tell("The file " + name + " cannot be added because " + why + ".", MsgIcon::Exclamation);
        return;
    }
    auto& pictures = form_.Settings.Pictures;
    if (pictures.size() >= MaxPictureEntries) {
        Tell("The picture list is full: it holds at most " + std::to_string(MaxPictureEntries) +
                 " pictures. The remaining pictures were not added.",
             MsgIcon::Exclamation);
        batch.Stopped = true;
        return;
    }

    const std::string target = form_.Window.PictureStore + name;
    CopyResult copy;
    if (batch.AskEach) {
        copy = CopyFileAtomically(source, target, true);
        if (copy.Status == CopyStatus::TargetExists) {
            const int answer = dialogs_.AskOverwrite(
                "Overwrite Image?",
                "The file " + name + " already exists. Do you want to overwrite it?");
            if (answer == AnswerYes || answer == AnswerYesToAll)
                copy = CopyFileAtomically(source, target, false);
            if (answer == AnswerNoToAll || answer == AnswerYesToAll) {
                batch.AskEach = false;
                batch.OverwriteAll = answer == AnswerYesToAll;
            }
        }
    } else {
        copy = CopyFileAtomically(source, target, !batch.OverwriteAll);
    }
    if (copy.Status == CopyStatus::Failed) {
        Tell("The file " + name + " could not be added: " + copy.Reason + ".", MsgIcon::Critical);
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

void PictureAdder::AddFromFileDialog() {
    auto& window = form_.Window;
    OpenFileRequest request;
    request.Title = AddTitle;
    request.Filter = AddPictureFilter;
    request.FilterIndex = 1;
    request.InitialDir = window.LastBrowseDir;
    request.MultiSelect = true;
    const std::optional<OpenFileResult> chosen = dialogs_.ShowOpenFile(request);
    if (!chosen) return;
    const std::string& s = chosen->FileName;
    const size_t countBefore = form_.Settings.Pictures.size();

    const size_t nul = s.find('\0');
    if (nul == std::string::npos) {
        const size_t slash = s.rfind('/');
        if (slash != std::string::npos)
            window.LastBrowseDir = slash == 0 ? "/" : s.substr(0, slash);
        std::string name = chosen->FileTitle;
        if (name.empty()) name = slash == std::string::npos ? s : s.substr(slash + 1);
        AddBatch single;
        AddOne(s, name, single);
    } else {
        std::vector<std::string> parts;
        size_t start = 0;
        for (;;) {
            const size_t end = s.find('\0', start);
            parts.push_back(s.substr(start, end == std::string::npos ? end : end - start));
            if (end == std::string::npos) break;
            start = end + 1;
        }
        window.LastBrowseDir = parts.front();
        parts.erase(parts.begin());
        AddBatchOfNames(window.LastBrowseDir, parts);
    }
    // Only an add that listed something is an edit.
    if (form_.Settings.Pictures.size() > countBefore) form_.MarkChanged();
}

void PictureAdder::AddFromFolderPicker(const std::function<void(const std::string&)>& scan) {
    FolderPickRequest request;
    request.Title = "Add Pictures";
    request.StartPath = form_.Window.LastBrowseDir;
    request.Instructions = "Select a folder which contains pictures you want to add.";
    const FolderPickResult picked = dialogs_.PickFolder(request);
    if (picked.Accepted) scan(picked.Path);
    form_.Window.LastBrowseDir = picked.Path;
}

void PictureAdder::ScanPictureFolder(const std::string& folder) {
    const std::vector<std::string> names = ListJpegNames(folder);
    if (names.empty()) return;
    const size_t countBefore = form_.Settings.Pictures.size();
    AddBatchOfNames(folder, names);
    if (form_.Settings.Pictures.size() > countBefore) form_.MarkChanged();
}

void PictureAdder::AddBatchOfNames(const std::string& folder,
                                   const std::vector<std::string>& names) {
    const std::string prefix = folder.ends_with('/') ? folder : folder + "/";
    Progress& progress = dialogs_.ProgressWindow();
    ProgressShown shown(dialogs_);
    progress.SetLabel("Adding Pictures...");
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
