#pragma once

#include <QDialog>
#include <cstdint>

class QLabel;
class QPushButton;

namespace sorvane {

// The overwrite question (frmMsg): a message and four answers. The window is
// made once, hidden after each answer and shown again for the next question;
// Result keeps the last answer until a button replaces it. Closing it any other
// way (close box, Esc) answers No.
class OverwriteDialog : public QDialog {
    Q_OBJECT
  public:
    enum Answer : int16_t { No = 0, Yes = 1, NoToAll = 2, YesToAll = 3 };

    explicit OverwriteDialog(QWidget* owner);

    void SetMessage(const QString& caption, const QString& message);
    // Shows the window modally over its owner; returns when an answer hid it.
    int16_t Ask();
    int16_t Result() const { return result_; }

    QPushButton* Button(Answer answer) const;
    QString Message() const;

  public slots:
    void reject() override;

  private:
    void Store(int16_t value);

    int16_t result_ = 0;
    QLabel* label1_;
    QString message_;
    QPushButton* buttons_[4];
};

}  // namespace sorvane
