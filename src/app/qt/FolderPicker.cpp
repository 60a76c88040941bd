#include "FolderPicker.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QVBoxLayout>

namespace sorvane {

FolderPicker::FolderPicker(QWidget* owner, const QString& title, const QString& instructions,
                           const QString& startPath)
    : QDialog(owner), startPath_(startPath) {
    setObjectName("FolderPicker");
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(instructions, this);
    text->setObjectName("instructions");
    text->setWordWrap(true);
    layout->addWidget(text);
    // Qt's own browser, set into this window so the instruction can stand above it.
    browser_ = new QFileDialog(this);
    browser_->setWindowFlags(Qt::Widget);
    browser_->setOption(QFileDialog::DontUseNativeDialog);
    browser_->setOption(QFileDialog::ShowDirsOnly);
    browser_->setFileMode(QFileDialog::Directory);
    browser_->setSizeGripEnabled(false);
    if (!startPath.isEmpty() && QDir(startPath).exists()) browser_->setDirectory(startPath);
    layout->addWidget(browser_);
    connect(browser_, &QFileDialog::accepted, this, &QDialog::accept);
    connect(browser_, &QFileDialog::rejected, this, &QDialog::reject);
    resize(620, 420);
}

QString FolderPicker::Path() const {
    if (result() != QDialog::Accepted) return startPath_;
    const QStringList chosen = browser_->selectedFiles();
    const QString path = chosen.isEmpty() ? browser_->directory().absolutePath() : chosen.first();
    return QDir::cleanPath(QDir::toNativeSeparators(path));
}

}  // namespace sorvane
