#pragma once

#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

#include "platform/Dialogs.h"

class QWidget;

namespace sorvane {

class OverwriteDialog;
class ProgressWindow;

// Every modal piece as a real Qt dialog over the main window: message boxes,
// the overwrite question, the open-file dialog, the folder picker, the
// progress window and the busy pointer.
class QtDialogs : public Dialogs {
  public:
    explicit QtDialogs(QWidget* owner);
    ~QtDialogs() override;

    MsgResult MessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                         const std::string& title) override;
    OverwriteAnswer AskOverwrite(const std::string& caption, const std::string& message) override;
    std::optional<ChosenFiles> ShowOpenFile(const OpenFileRequest& request) override;
    FolderPickResult PickFolder(const FolderPickRequest& request) override;
    Progress& ProgressWindow() override;
    void ShowProgress() override;
    void HideProgress() override;
    void UnloadProgress() override;
    void SetBusy(bool busy) override;
    void UnloadSecondaryWindows() override;

    // Runs before a question or message opens, so the window behind it shows
    // the state of the moment (the owner mirrors its form there).
    void SetBeforeQuestion(std::function<void()> before) { beforeQuestion_ = std::move(before); }

    // The loaded windows, or null (for the window's tests).
    OverwriteDialog* OverwriteWindow() const;
    sorvane::ProgressWindow* ProgressWidget() const;

    // "desc|pattern;pattern|..." as Qt name filters whose patterns match
    // without regard to letter case, as the file system of the original did.
    static QStringList NameFilters(const std::string& filter);

  private:
    sorvane::ProgressWindow& LoadProgress();

    QPointer<QWidget> owner_;
    std::function<void()> beforeQuestion_;
    std::unique_ptr<OverwriteDialog> overwrite_;
    std::unique_ptr<sorvane::ProgressWindow> progress_;
};

}  // namespace sorvane
