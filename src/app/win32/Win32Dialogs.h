#pragma once

#include "Win32.h"

#include "ProgressWindow.h"
#include "platform/Dialogs.h"

namespace sorvane {

// Every modal piece as a real Windows dialog over the main window: message
// boxes, the overwrite question (a task dialog with its four answers), the
// open-file dialog, the folder browser, the progress window and the busy
// pointer.
class Win32Dialogs : public Dialogs {
  public:
    explicit Win32Dialogs(HWND owner) : owner_(owner), progress_(owner) {}

    MsgResult MessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                         const std::string& title) override;
    OverwriteAnswer AskOverwrite(const std::string& caption, const std::string& message) override;
    std::optional<ChosenFiles> ShowOpenFile(const OpenFileRequest& request) override;
    FolderPickResult PickFolder(const FolderPickRequest& request) override;
    Progress& ProgressWindow() override { return progress_; }
    void ShowProgress() override { progress_.Show(); }
    void HideProgress() override { progress_.Hide(); }
    void UnloadProgress() override { progress_.Unload(); }
    void SetBusy(bool busy) override;
    void UnloadSecondaryWindows() override { progress_.Unload(); }

    bool Busy() const { return busy_; }

  private:
    HWND owner_;
    sorvane::ProgressWindow progress_;
    bool busy_ = false;
};

}  // namespace sorvane
