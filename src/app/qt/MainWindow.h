#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "app/MainForm.h"

class QPushButton;
class QTabWidget;

namespace sorvane {

class AboutTab;
class QtDialogs;
class SettingsPage;

// The main window "Desktop Sorvane". It keeps no settings of its own: every
// user action goes to the form's handler, and afterwards the widgets are set
// to what the form holds (Mirror).
class MainWindow : public QWidget {
    Q_OBJECT
  public:
    // Without `dialogs` the window brings its own Qt dialogs.
    explicit MainWindow(Platform platform, Dialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start-up sequence, then the widgets as the form left them.
    void Load();
    void Mirror();

    MainForm& Form() { return *form_; }
    QtDialogs* OwnDialogs() const { return ownDialogs_.get(); }
    SettingsPage* Settings() const { return settings_; }
    AboutTab* About() const { return about_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Runs a handler of the form, then mirrors; closes when the form unloaded.
    void Run(const std::function<void()>& handler);
    void Wire();
    void ListSelectionChanged();
    void MirrorList();

    std::unique_ptr<QtDialogs> ownDialogs_;
    std::unique_ptr<MainForm> form_;
    QTabWidget* tabs_;
    SettingsPage* settings_;
    AboutTab* about_;
    QPushButton* cmdPrevew_;
    QPushButton* cmdSetWallpaper_;
    QPushButton* cmdHelp_;
    QPushButton* cmdOk_;
    QPushButton* cmdCancel_;
    QPushButton* cmdApply_;
    bool mirroring_ = false;
    bool selectionPending_ = false;
};

}  // namespace sorvane
