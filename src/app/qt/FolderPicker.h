#pragma once

#include <QDialog>

class QFileDialog;
class QLabel;

namespace sorvane {

// The folder picker of Add Folder: a title, an instruction text above a folder
// browser, a starting folder. Path() is the chosen folder after Accept, and
// the starting folder after Cancel.
class FolderPicker : public QDialog {
    Q_OBJECT
  public:
    FolderPicker(QWidget* owner, const QString& title, const QString& instructions,
                 const QString& startPath);

    QString Path() const;
    QFileDialog* Browser() const { return browser_; }

  private:
    QFileDialog* browser_;
    QString startPath_;
};

}  // namespace sorvane
