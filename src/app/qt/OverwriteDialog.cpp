#include "OverwriteDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "TextWrap.h"

namespace sorvane {

namespace {
// The row of four buttons sets the message's width.
constexpr int ButtonWidth = 84;
constexpr int ButtonGap = 10;
constexpr int MessageWidth = 4 * ButtonWidth + 3 * ButtonGap;
}  // namespace

OverwriteDialog::OverwriteDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName("frmMsg");
    setWindowTitle(tr("Overwrite?"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(16);
    label1_ = new QLabel(this);
    label1_->setObjectName("Label1");
    layout->addWidget(label1_);

    // Left to right, which is also the tab order: Yes To All, Yes, No, No To All.
    auto* row = new QHBoxLayout;
    row->setSpacing(ButtonGap);
    const struct {
        const char* name;
        const char* caption;
        int16_t value;
    } order[4] = {{"cmdYesToAll", QT_TR_NOOP("Yes To All"), YesToAll},
                  {"cmdYes", QT_TR_NOOP("&Yes"), Yes},
                  {"cmdNo", QT_TR_NOOP("&No"), No},
                  {"cmdNoToAll", QT_TR_NOOP("No To All"), NoToAll}};
    for (const auto& b : order) {
        auto* button = new QPushButton(tr(b.caption), this);
        button->setObjectName(b.name);
        // Neither a default nor a cancel button: Enter answers nothing.
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setMinimumWidth(ButtonWidth);
        const int16_t value = b.value;
        connect(button, &QPushButton::clicked, this, [this, value] { Store(value); });
        row->addWidget(button);
        buttons_[b.value] = button;
    }
    layout->addLayout(row);
    SetMessage(windowTitle(), tr("Overwrite image?"));
}

void OverwriteDialog::SetMessage(const QString& caption, const QString& message) {
    setWindowTitle(caption);
    message_ = message;
    label1_->setText(WrapLines(message, label1_->font(), MessageWidth).join('\n'));
    // The breaks are only for the eye; a screen reader speaks the message whole.
    label1_->setAccessibleName(message);
    adjustSize();
}

int16_t OverwriteDialog::Ask() {
    exec();
    return result_;
}

QPushButton* OverwriteDialog::Button(Answer answer) const { return buttons_[answer]; }

QString OverwriteDialog::Message() const { return message_; }

void OverwriteDialog::reject() { Store(No); }

void OverwriteDialog::Store(int16_t value) {
    result_ = value;
    hide();
}

}  // namespace sorvane
