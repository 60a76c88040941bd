#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sorvane {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, YesNo };
enum class MsgResult { Ok, Cancel, Yes, No };

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

// What the file dialog hands back: one full path, or with several files the
// folder followed by each name, NUL-separated; FileTitle is the bare name of
// a single chosen file.
struct OpenFileResult {
    std::string FileName;
    std::string FileTitle;
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

    // The overwrite question; returns 0 No, 1 Yes, 2 No To All, 3 Yes To All.
    virtual int AskOverwrite(const std::string& caption, const std::string& message) = 0;

    virtual std::optional<OpenFileResult> ShowOpenFile(const OpenFileRequest& request) = 0;
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

// A Progress that goes nowhere, for callers that have no window.
class NullProgress : public Progress {
  public:
    void SetLabel(const std::string&) override {}
    void SetMaximum(int) override {}
    void SetValue(int) override {}
    void Repaint() override {}
};

}  // namespace sorvane
