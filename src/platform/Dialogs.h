#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sorvane {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, YesNo };
enum class MsgResult { Ok, Cancel, Yes, No };
// The overwrite question's four buttons.
enum class OverwriteAnswer { No, Yes, NoToAll, YesToAll };

// The progress window: a label and a bar. Steps that update it while it is
// hidden have no visible effect.
class Progress {
  public:
    virtual ~Progress() = default;
    virtual void SetLabel(const std::string& text) = 0;
    virtual void SetMaximum(int max) = 0;
    virtual void SetValue(int value) = 0;
    // Lets the window paint; long work calls it so the program never looks frozen.
    virtual void Repaint() = 0;
};

struct OpenFileRequest {
    std::string Title;
    std::string Filter;  // "desc|pattern|desc|pattern..."
    int FilterIndex = 1;
    std::string InitialDir;
    bool MultiSelect = true;
};

// What the file dialog hands back: the folder the files were chosen in and
// their bare names, one or more (the dialog chooses in one folder only).
struct ChosenFiles {
    std::string Folder;  // no trailing separator, except the root's "/"
    std::vector<std::string> Names;
};

struct FolderPickRequest {
    std::string Title;
    std::string StartPath;
    std::string Instructions;
};

struct FolderPickResult {
    bool Accepted = false;
    std::string Path;  // what the picker reports after closing, accepted or not
};

// Everything modal goes through here: the Qt window implements it with real
// dialogs, tests and the command-line companion with scripted answers.
class Dialogs {
  public:
    virtual ~Dialogs() = default;

    virtual MsgResult MessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                                 const std::string& title) = 0;

    virtual OverwriteAnswer AskOverwrite(const std::string& caption,
                                         const std::string& message) = 0;

    // nullopt when the user cancels.
    virtual std::optional<ChosenFiles> ShowOpenFile(const OpenFileRequest& request) = 0;
    virtual FolderPickResult PickFolder(const FolderPickRequest& request) = 0;

    // The progress window (frmProgress).
    virtual Progress& ProgressWindow() = 0;
    virtual void ShowProgress() = 0;
    virtual void HideProgress() = 0;
    virtual void UnloadProgress() = 0;

    // Hourglass pointer on the main window.
    virtual void SetBusy(bool busy) = 0;

    // Windows other than the main one that are loaded (overwrite question,
    // progress); closing unloads them.
    virtual void UnloadSecondaryWindows() = 0;
};

}  // namespace sorvane
