#include "ScriptedDialogs.h"

namespace sorvane {

MsgResult ScriptedDialogs::MessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                                      const std::string& title) {
    // Errors are told apart so a scripted run can fail on them.
    Log.push_back((icon == MsgIcon::Critical ? "error: " : "message: ") + title + ": " + text);
    if (OnMessage) OnMessage(title, text);
    if (!MessageAnswers.empty()) {
        const MsgResult r = MessageAnswers.front();
        MessageAnswers.pop_front();
        return r;
    }
    return buttons == MsgButtons::YesNo ? MsgResult::Yes : MsgResult::Ok;
}

int ScriptedDialogs::AskOverwrite(const std::string& caption, const std::string& message) {
    Log.push_back("ask: " + caption + ": " + message);
    int answer = DefaultOverwriteAnswer;
    if (!OverwriteAnswers.empty()) {
        answer = OverwriteAnswers.front();
        OverwriteAnswers.pop_front();
    }
    // A scripted run still shows what it was asked and what it answered.
    static constexpr const char* Names[] = {"No", "Yes", "No To All", "Yes To All"};
    if (OnMessage)
        OnMessage(caption,
                  message + " [" + (answer >= 0 && answer <= 3 ? Names[answer] : "?") + "]");
    return answer;
}

std::optional<OpenFileResult> ScriptedDialogs::ShowOpenFile(const OpenFileRequest& request) {
    Log.push_back("open file: " + request.Title);
    LastOpenFileRequest = request;
    if (OpenFileAnswers.empty()) return std::nullopt;
    auto r = OpenFileAnswers.front();
    OpenFileAnswers.pop_front();
    return r;
}

FolderPickResult ScriptedDialogs::PickFolder(const FolderPickRequest& request) {
    Log.push_back("pick folder: " + request.Title);
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
