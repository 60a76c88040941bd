#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Translate.h"
#include "settings/SlideshowSettings.h"

namespace sorvane {

// The open-file dialog's filter: four description|pattern pairs.
// Looked up whole when shown: a translation keeps the patterns.
inline constexpr const char* AddPictureFilter = SORVANE_TR_NOOP(
    "Sorvane",
    "All Supported Images|*.jpg;*.bmp;*.png|Bitmaps|*.bmp|JPEG Images|*.jpg|PNG Images|*.png");

// How collisions are settled for the rest of one click. A fresh batch asks.
struct AddBatch {
    bool AskEach = true;
    bool OverwriteAll = false;
    bool Stopped = false;  // the list filled up; later names are not handled
};

// Why a file name cannot be taken into the list, or "" when it can: config.dat
// keeps one picture per line, and only a bare file name (no separator of
// either system) is read back from it.
std::string UnstorableNameReason(const std::string& name);

// What one click of an add button came to, for the window to take over.
struct AddResult {
    bool Edited = false;                   // something was listed: the user's edit
    std::optional<std::string> BrowseDir;  // where the next dialog starts
};

// Brings pictures into the picture store (`pictureStore`, ending with a
// separator) and the list: the file dialog, the folder picker and the folder
// scan. Every name goes through copy, question, second copy, list entry,
// measurement, in that order.
class PictureAdder {
  public:
    using Measure = std::function<void(const std::string& path)>;

    PictureAdder(std::vector<PictureEntry>& pictures, std::string pictureStore, Dialogs& dialogs,
                 Measure measure);

    // The "Add Picture" button: one file or several files of one folder; the
    // dialog opens in `startDir`.
    AddResult AddFromFileDialog(const std::string& startDir);
    // The "Add Folder" button's question: which folder to scan.
    FolderPickResult PickFolder(const std::string& startDir);
    // Adds every "*.jpg" file of `folder` as one batch.
    AddResult ScanPictureFolder(const std::string& folder);

    // One name of a batch. A name config.dat cannot keep, a copy that fails for
    // any reason other than an existing file, and a full list are told to the
    // user, and nothing is listed for that name.
    void AddOne(const std::string& source, const std::string& name, AddBatch& batch);

  private:
    void AddBatchOfNames(const std::string& folder, const std::vector<std::string>& names);
    void Tell(const std::string& text, MsgIcon icon);

    std::vector<PictureEntry>& pictures_;
    std::string pictureStore_;
    Dialogs& dialogs_;
    Measure measure_;
};

}  // namespace sorvane
