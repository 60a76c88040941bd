#include "QtDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QWidget>
#include <QWindow>

#include "FolderPicker.h"
#include "OverwriteDialog.h"
#include "ProgressWindow.h"
#include "platform/qt/QtPath.h"

namespace sorvane {

namespace {

QString Text(const std::string& s) { return QString::fromStdString(s); }

// "*.jpg" -> "*.[jJ][pP][gG]": Qt's filters follow the file system's case rules.
QString AnyCase(const QString& pattern) {
    QString out;
    for (QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper())
            out += '[' + QString(c.toLower()) + QString(c.toUpper()) + ']';
        else
            out += c;
    }
    return out;
}

QMessageBox::Icon ToQt(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Critical:
            return QMessageBox::Critical;
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QtDialogs::QtDialogs(QWidget* owner) : owner_(owner) {}

QtDialogs::~QtDialogs() = default;

MsgResult QtDialogs::MessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                                const std::string& title) {
    if (beforeQuestion_) beforeQuestion_();
    QMessageBox::StandardButtons qtButtons = QMessageBox::Ok;
    if (buttons == MsgButtons::OkCancel) qtButtons = QMessageBox::Ok | QMessageBox::Cancel;
    if (buttons == MsgButtons::YesNo) qtButtons = QMessageBox::Yes | QMessageBox::No;
    QMessageBox box(ToQt(icon), Text(title), Text(text).replace(QStringLiteral("\r\n"), "\n"),
                    qtButtons, owner_);
    box.setObjectName("MessageBox");
    switch (box.exec()) {
        case QMessageBox::Cancel:
            return MsgResult::Cancel;
        case QMessageBox::Yes:
            return MsgResult::Yes;
        case QMessageBox::No:
            return MsgResult::No;
        default:
            return buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Ok;
    }
}

OverwriteAnswer QtDialogs::AskOverwrite(const std::string& caption, const std::string& message) {
    // One window for the whole run, made on first use and hidden between questions.
    if (beforeQuestion_) beforeQuestion_();
    if (!overwrite_) overwrite_ = std::make_unique<OverwriteDialog>(owner_);
    overwrite_->SetMessage(Text(caption), Text(message));
    switch (overwrite_->Ask()) {
        case OverwriteDialog::Yes:
            return OverwriteAnswer::Yes;
        case OverwriteDialog::NoToAll:
            return OverwriteAnswer::NoToAll;
        case OverwriteDialog::YesToAll:
            return OverwriteAnswer::YesToAll;
        default:
            return OverwriteAnswer::No;
    }
}

QStringList QtDialogs::NameFilters(const std::string& filter) {
    const QStringList parts = Text(filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(';', Qt::SkipEmptyParts))
            patterns << AnyCase(p.trimmed());
        filters << parts[i] + " (" + patterns.join(' ') + ")";
    }
    return filters;
}

std::optional<ChosenFiles> QtDialogs::ShowOpenFile(const OpenFileRequest& request) {
    QFileDialog dialog(owner_, Text(request.Title));
    dialog.setObjectName("CommonDialog1");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.MultiSelect ? QFileDialog::ExistingFiles
                                           : QFileDialog::ExistingFile);
    // The patterns spelt for any letter case are no sight for the user.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::ReadOnly);
    const QStringList filters = NameFilters(request.Filter);
    dialog.setNameFilters(filters);
    if (request.FilterIndex >= 1 && request.FilterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.FilterIndex - 1]);
    if (!request.InitialDir.empty() && QDir(PathToQt(request.InitialDir)).exists())
        dialog.setDirectory(PathToQt(request.InitialDir));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    ChosenFiles chosen;
    chosen.Folder = PathFromQt(QDir::toNativeSeparators(QFileInfo(files.first()).absolutePath()));
    for (const QString& file : files)
        chosen.Names.push_back(PathFromQt(QFileInfo(file).fileName()));
    return chosen;
}

FolderPickResult QtDialogs::PickFolder(const FolderPickRequest& request) {
    FolderPicker picker(owner_, Text(request.Title), Text(request.Instructions),
                        PathToQt(request.StartPath));
    const bool accepted = picker.exec() == QDialog::Accepted;
    return {accepted, PathFromQt(picker.Path())};
}

ProgressWindow& QtDialogs::LoadProgress() {
    if (!progress_) progress_ = std::make_unique<sorvane::ProgressWindow>(owner_);
    return *progress_;
}

Progress& QtDialogs::ProgressWindow() { return LoadProgress(); }

void QtDialogs::ShowProgress() {
    auto& window = LoadProgress();
    window.show();
    window.raise();
    // Its first words are drawn only once the window is on screen: the work
    // that follows keeps the event loop from drawing them later. Bounded, as
    // a display that never shows it must not hold the work.
    QElapsedTimer waited;
    waited.start();
    while (window.windowHandle() && !window.windowHandle()->isExposed() && waited.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    window.Repaint();
}

void QtDialogs::HideProgress() {
    if (progress_) progress_->hide();
}

void QtDialogs::UnloadProgress() { progress_.reset(); }

void QtDialogs::SetBusy(bool busy) {
    if (!owner_) return;
    if (busy)
        owner_->setCursor(Qt::WaitCursor);
    else
        owner_->unsetCursor();
}

void QtDialogs::UnloadSecondaryWindows() {
    // A question still open answers No as it goes, so its caller ends normally.
    if (overwrite_ && overwrite_->isVisible()) {
        overwrite_->reject();
        overwrite_.release()->deleteLater();
    }
    overwrite_.reset();
    progress_.reset();
}

OverwriteDialog* QtDialogs::OverwriteWindow() const { return overwrite_.get(); }
ProgressWindow* QtDialogs::ProgressWidget() const { return progress_.get(); }

}  // namespace sorvane
