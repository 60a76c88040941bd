#pragma once

#include <QWidget>

#include "platform/Dialogs.h"

class QLabel;
class QProgressBar;

namespace sorvane {

// The progress window (frmProgress): a label and a bar, modeless over the main
// window. Repaint lets the window system paint while long work runs on this
// thread, without taking the user's input meanwhile.
class ProgressWindow : public QWidget, public Progress {
    Q_OBJECT
  public:
    explicit ProgressWindow(QWidget* owner);

    void SetLabel(const std::string& text) override;
    void SetMaximum(int max) override;
    void SetValue(int value) override;
    void Repaint() override;

    QString Label() const;
    int Value() const;
    int Maximum() const;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QLabel* label1_;
    QProgressBar* bar_;
};

}  // namespace sorvane
