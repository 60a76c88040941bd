#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace sorvane {

enum class DialogKind { Message, Error, Question, OpenFile, PickFolder };

// One modal dialog as the user would have met it.
struct DialogEntry {
    DialogKind Kind = DialogKind::Message;
    std::string Title;
    std::string Text;
};

// Dialogs answered from a script: the command-line companion and the tests use
// it. Every dialog is recorded in Entries; every call, progress included, also
// in Log as one readable line, so a test can check what the user would have
// seen and in which order.
class ScriptedDialogs : public Dialogs, public Progress {
  public:
    // Answers, taken in order; when a queue is empty the default applies.
    std::deque<OverwriteAnswer> OverwriteAnswers;
    OverwriteAnswer DefaultOverwriteAnswer = OverwriteAnswer::No;
    std::deque<MsgResult> MessageAnswers;                    // default: the first button
    std::deque<std::optional<ChosenFiles>> OpenFileAnswers;  // default: cancel
    std::deque<FolderPickResult> FolderAnswers;              // default: cancel
    // Called for every message box and question (the CLI prints them).
    std::function<void(const std::string& title, const std::string& text)> OnMessage;

    std::vector<DialogEntry> Entries;
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
    OverwriteAnswer AskOverwrite(const std::string& caption, const std::string& message) override;
    std::optional<ChosenFiles> ShowOpenFile(const OpenFileRequest& request) override;
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

  private:
    void Record(DialogKind kind, const std::string& title, const std::string& text);
};

}  // namespace sorvane
