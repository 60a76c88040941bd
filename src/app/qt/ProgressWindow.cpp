#include "ProgressWindow.h"

#include <algorithm>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace sorvane {

ProgressWindow::ProgressWindow(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("frmProgress");
    setWindowTitle(tr("Desktop Sorvane"));
    setWindowModality(Qt::NonModal);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 14);
    layout->setSpacing(8);
    label1_ = new QLabel(tr("Creating Sorvane..."), this);
    label1_->setObjectName("Label1");
    bar_ = new QProgressBar(this);
    bar_->setObjectName("ProgressBar1");
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->setAccessibleName(tr("Progress"));
    layout->addWidget(label1_);
    layout->addWidget(bar_);
    setFixedWidth(320);
}

void ProgressWindow::SetLabel(const std::string& text) {
    label1_->setText(QString::fromStdString(text));
}

void ProgressWindow::SetMaximum(int max) { bar_->setRange(0, std::max(max, 1)); }

void ProgressWindow::SetValue(int value) { bar_->setValue(std::clamp(value, 0, bar_->maximum())); }

void ProgressWindow::Repaint() {
    if (isVisible()) repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString ProgressWindow::Label() const { return label1_->text(); }
int ProgressWindow::Value() const { return bar_->value(); }
int ProgressWindow::Maximum() const { return bar_->maximum(); }

// The work it shows runs to its end; the window goes when the work is done.
void ProgressWindow::closeEvent(QCloseEvent* event) { event->ignore(); }

}  // namespace sorvane
