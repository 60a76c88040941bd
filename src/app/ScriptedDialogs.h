#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace sorvane {

// Dialogs answered from a script: the command-line companion and the tests use
// it. Every call is recorded in Log as one readable line, so a test can check
// what the user would have seen and in which order.
class ScriptedDialogs : public Dialogs, public Progress {
  public:
    // Answers, taken in order; when a queue is empty the default applies.
    std::deque<int> OverwriteAnswers;  // 0 No, 1 Yes, 2 No To All, 3 Yes To All
    int DefaultOverwriteAnswer = 0;
    std::deque<MsgResult> MessageAnswers;                       // default: the first button
    std::deque<std::optional<OpenFileResult>> OpenFileAnswers;  // default: cancel
    std::deque<FolderPickResult> FolderAnswers;                 // default: cancel
    // Called for every message box and question (the CLI prints them).
    std::function<void(const std::string& title, const std::string& text)> OnMessage;

    std::vector<std::string> Log;
    // The progress window as it stands.
    std::string ProgressLabel;
    int ProgressMax = 100;
    int ProgressValue = 0;
    std::vector<int> ProgressValues;
    bool ProgressVisible = false;
    bool ProgressLoaded = false;
    bool Busy = false;
    std::optional<OpenFileRequest> LastOpenFileRequest;
    std::optional<FolderPickRequest> LastFolderRequest;

    MsgResult MessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                         const std::string& title) override;
    int AskOverwrite(const std::string& caption, const std::string& message) override;
    std::optional<OpenFileResult> ShowOpenFile(const OpenFileRequest& request) override;
    FolderPickResult PickFolder(const FolderPickRequest& request) override;
    Progress& ProgressWindow() override { return *this; }
    void ShowProgress() override;
    void HideProgress() override;
    void UnloadProgress() override;
    void SetBusy(bool busy) override;
    void UnloadSecondaryWindows() override;

    void SetLabel(const std::string& text) override;
    void SetMaximum(int max) override;
    void SetValue(int value) override;
    void Repaint() override {}
};

}  // namespace sorvane
