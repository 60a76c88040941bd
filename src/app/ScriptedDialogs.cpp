#include "ScriptedDialogs.h"

namespace sorvane {

namespace {

const char* AnswerName(OverwriteAnswer answer) {
    switch (answer) {
        case OverwriteAnswer::No:
            return "No";
        case OverwriteAnswer::Yes:
            return "Yes";
        case OverwriteAnswer::NoToAll:
            return "No To All";
        case OverwriteAnswer::YesToAll:
            return "Yes To All";
    }
    return "?";
}

const char* LogPrefix(DialogKind kind) {
    switch (kind) {
        case DialogKind::Message:
            return "message: ";
        case DialogKind::Error:
            return "error: ";
        case DialogKind::Question:
            return "ask: ";
        case DialogKind::OpenFile:
            return "open file: ";
        case DialogKind::PickFolder:
            return "pick folder: ";
    }
    return "";
}

}  // namespace

void ScriptedDialogs::Record(DialogKind kind, const std::string& title, const std::string& text) {
    Entries.push_back({kind, title, text});
    const bool titled = kind == DialogKind::OpenFile || kind == DialogKind::PickFolder;
    Log.push_back(LogPrefix(kind) + title + (titled ? "" : ": " + text));
}

MsgResult ScriptedDialogs::MessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                                      const std::string& title) {
    // Errors are told apart so a scripted run can fail on them.
    Record(icon == MsgIcon::Critical ? DialogKind::Error : DialogKind::Message, title, text);
    if (OnMessage) OnMessage(title, text);
    if (!MessageAnswers.empty()) {
        const MsgResult r = MessageAnswers.front();
        MessageAnswers.pop_front();
        return r;
    }
    return buttons == MsgButtons::YesNo ? MsgResult::Yes : MsgResult::Ok;
}

OverwriteAnswer ScriptedDialogs::AskOverwrite(const std::string& caption,
                                              const std::string& message) {
    Record(DialogKind::Question, caption, message);
    OverwriteAnswer answer = DefaultOverwriteAnswer;
    if (!OverwriteAnswers.empty()) {
        answer = OverwriteAnswers.front();
        OverwriteAnswers.pop_front();
    }
    // A scripted run still shows what it was asked and what it answered.
    if (OnMessage) OnMessage(caption, message + " [" + AnswerName(answer) + "]");
    return answer;
}

std::optional<ChosenFiles> ScriptedDialogs::ShowOpenFile(const OpenFileRequest& request) {
    Record(DialogKind::OpenFile, request.Title, {});
    LastOpenFileRequest = request;
    if (OpenFileAnswers.empty()) return std::nullopt;
    auto r = OpenFileAnswers.front();
    OpenFileAnswers.pop_front();
    return r;
}

FolderPickResult ScriptedDialogs::PickFolder(const FolderPickRequest& request) {
    Record(DialogKind::PickFolder, request.Title, {});
    LastFolderRequest = request;
    if (FolderAnswers.empty()) return {false, request.StartPath};
    auto r = FolderAnswers.front();
    FolderAnswers.pop_front();
    return r;
}

void ScriptedDialogs::ShowProgress() {
    Log.push_back("progress: show");
    ProgressVisible = ProgressLoaded = true;
}
void ScriptedDialogs::HideProgress() {
    if (ProgressVisible) Log.push_back("progress: hide");
    ProgressVisible = false;
}
void ScriptedDialogs::UnloadProgress() { ProgressVisible = ProgressLoaded = false; }
void ScriptedDialogs::SetBusy(bool busy) { Busy = busy; }
void ScriptedDialogs::UnloadSecondaryWindows() {
    if (ProgressLoaded) Log.push_back("unload: progress");
    ProgressVisible = ProgressLoaded = false;
}

void ScriptedDialogs::SetLabel(const std::string& text) {
    ProgressLabel = text;
    Log.push_back("progress label: " + text);
}
void ScriptedDialogs::SetMaximum(int max) { ProgressMax = max; }
void ScriptedDialogs::SetValue(int value) {
    ProgressValue = value;
    ProgressValues.push_back(value);
}

}  // namespace sorvane
