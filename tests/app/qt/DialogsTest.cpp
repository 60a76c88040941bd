// The real dialogs offscreen: the overwrite question, message boxes, the file
// dialog, the folder picker and the progress window.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "QtTestSupport.h"
#include "app/qt/AccessibleRoles.h"
#include "app/qt/FolderPicker.h"
#include "app/qt/OverwriteDialog.h"
#include "app/qt/ProgressWindow.h"
#include "app/qt/QtDialogs.h"
#include "common/TempHome.h"

namespace sorvane::test {
namespace {

class RealDialogs : public ::testing::Test {
  protected:
    RealDialogs() {
        owner.resize(400, 300);
        owner.show();
    }
    QtApp qt;
    QWidget owner;
    QtDialogs dialogs{&owner};

    OverwriteAnswer Ask(std::function<void(OverwriteDialog*)> answer) {
        WhenModal<OverwriteDialog>(std::move(answer));
        return dialogs.AskOverwrite(
            "Overwrite Image?", "The file beach.jpg already exists. Do you want to overwrite it?");
    }
};

TEST_F(RealDialogs, OverwriteQuestionButtonsGiveTheirValues) {
    using A = OverwriteDialog;
    using O = OverwriteAnswer;
    const std::pair<A::Answer, O> presses[] = {
        {A::YesToAll, O::YesToAll}, {A::Yes, O::Yes}, {A::No, O::No}, {A::NoToAll, O::NoToAll}};
    for (const auto& [button, value] : presses) {
        EXPECT_EQ(Ask([button](A* d) { d->Button(button)->click(); }), value);
        EXPECT_FALSE(dialogs.OverwriteWindow()->isVisible());
    }
}

TEST_F(RealDialogs, OverwriteQuestionLooksAsLaidOut) {
    Ask([](OverwriteDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Overwrite Image?");
        EXPECT_EQ(d->Message(), "The file beach.jpg already exists. Do you want to overwrite it?");
        EXPECT_TRUE(d->isModal());
        EXPECT_EQ(d->parentWidget(), d->parentWidget()->window());
        // A screen reader speaks the message whole, without the breaks drawn.
        EXPECT_EQ(d->findChild<QLabel*>("Label1")->accessibleName(), d->Message());
        // One row, left to right, which is also the tab order; no default button.
        const char* order[] = {"cmdYesToAll", "cmdYes", "cmdNo", "cmdNoToAll"};
        const char* captions[] = {"Yes To All", "&Yes", "&No", "No To All"};
        QPushButton* previous = nullptr;
        for (int i = 0; i < 4; ++i) {
            auto* b = d->findChild<QPushButton*>(order[i]);
            ASSERT_NE(b, nullptr);
            EXPECT_EQ(b->text(), captions[i]);
            EXPECT_FALSE(b->isDefault());
            EXPECT_FALSE(b->autoDefault());
            if (previous) {
                EXPECT_GT(b->x(), previous->x());
                EXPECT_EQ(b->y(), previous->y());
                EXPECT_EQ(previous->nextInFocusChain(), b);
            }
            previous = b;
        }
        d->Button(OverwriteDialog::No)->click();
    });
}

TEST_F(RealDialogs, AccessKeysAndEscape) {
    EXPECT_EQ(Ask([](OverwriteDialog* d) { QTest::keyClick(d, Qt::Key_Y, Qt::AltModifier); }),
              OverwriteAnswer::Yes);
    EXPECT_EQ(Ask([](OverwriteDialog* d) { QTest::keyClick(d, Qt::Key_N, Qt::AltModifier); }),
              OverwriteAnswer::No);
    // Enter answers nothing (no default button); Esc then counts as No.
    EXPECT_EQ(Ask([](OverwriteDialog* d) {
                  QTest::keyClick(d, Qt::Key_Return);
                  EXPECT_TRUE(d->isVisible());
                  QTest::keyClick(d, Qt::Key_Escape);
              }),
              OverwriteAnswer::No);
    EXPECT_EQ(Ask([](OverwriteDialog* d) { d->close(); }), OverwriteAnswer::No);
}

TEST_F(RealDialogs, OneQuestionWindowKeepsItsAnswerBetweenQuestions) {
    Ask([](OverwriteDialog* d) { d->Button(OverwriteDialog::YesToAll)->click(); });
    OverwriteDialog* window = dialogs.OverwriteWindow();
    window->SetMessage("Overwrite Image?",
                       "The file x.jpg already exists. Do you want to overwrite it?");
    EXPECT_EQ(window->Result(), 3);  // a new message does not reset the answer
    Ask([window](OverwriteDialog* d) {
        EXPECT_EQ(d, window);  // reused, not made anew
        EXPECT_EQ(d->Result(), 3);
        d->Button(OverwriteDialog::Yes)->click();
    });
    EXPECT_EQ(window->Result(), 1);
    // A long name without spaces still fits the window's width.
    window->SetMessage("Overwrite Image?",
                       QString("The file %1.jpg already exists.").arg(QString(200, 'x')));
    EXPECT_LT(window->sizeHint().width(), 600);
}

TEST_F(RealDialogs, MessageBoxesShowTheirTitleTextIconAndButtons) {
    WhenModal<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle(), "Active Desktop Disabled");
        EXPECT_EQ(box->text(), "line one\n\nClick 'OK' to do this now.");
        EXPECT_EQ(box->icon(), QMessageBox::Information);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
        box->button(QMessageBox::Cancel)->click();
    });
    EXPECT_EQ(dialogs.MessageBox("line one\r\n\r\nClick 'OK' to do this now.", MsgButtons::OkCancel,
                                 MsgIcon::Information, "Active Desktop Disabled"),
              MsgResult::Cancel);
    WhenModal<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(dialogs.MessageBox("x", MsgButtons::Ok, MsgIcon::Critical, "Internal Error"),
              MsgResult::Ok);
}

TEST_F(RealDialogs, FileFiltersMatchAnyLetterCase) {
    const QStringList filters = QtDialogs::NameFilters(
        "All Supported Images|*.jpg;*.bmp;*.png|Bitmaps|*.bmp|JPEG Images|*.jpg|PNG Images|*.png");
    ASSERT_EQ(filters.size(), 4);
    EXPECT_TRUE(filters[0].startsWith("All Supported Images ("));
    const QString inner = filters[0].section('(', 1).chopped(1);
    auto matches = [&](const QString& name) {
        for (const QString& p : inner.split(' '))
            if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(p))
                    .match(name)
                    .hasMatch())
                return true;
        return false;
    };
    EXPECT_TRUE(matches("beach.jpg"));
    EXPECT_TRUE(matches("BEACH.JPG"));
    EXPECT_TRUE(matches("Beach.Png"));
    EXPECT_FALSE(matches("beach.gif"));
    EXPECT_FALSE(matches("beach.jpeg"));
}

TEST_F(RealDialogs, OpenFileDialogGivesTheFolderAndTheNames) {
    TempHome home;
    const QString folder = QString::fromStdString((home / "photos").string());
    QDir().mkpath(folder);
    for (const char* n : {"a.jpg", "B.JPG", "c.png"}) WriteFile(home / "photos" / n, "x");
    OpenFileRequest request;
    request.Title = "Add Picture";
    request.Filter =
        "All Supported Images|*.jpg;*.bmp;*.png|Bitmaps|*.bmp|JPEG Images|*.jpg|PNG Images|*.png";
    request.InitialDir = folder.toStdString();

    WhenModal<QFileDialog>([folder](QFileDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Add Picture");
        EXPECT_EQ(d->fileMode(), QFileDialog::ExistingFiles);
        EXPECT_EQ(d->directory().absolutePath(), folder);
        EXPECT_TRUE(d->selectedNameFilter().startsWith("All Supported Images"));
        d->findChild<QLineEdit*>("fileNameEdit")->setText("B.JPG");
        QMetaObject::invokeMethod(d, "accept");
    });
    auto one = dialogs.ShowOpenFile(request);
    ASSERT_TRUE(one);
    EXPECT_EQ(one->Folder, folder.toStdString());
    EXPECT_EQ(one->Names, std::vector<std::string>{"B.JPG"});

    WhenModal<QFileDialog>([](QFileDialog* d) {
        d->findChild<QLineEdit*>("fileNameEdit")->setText("\"a.jpg\" \"c.png\"");
        QMetaObject::invokeMethod(d, "accept");
    });
    auto several = dialogs.ShowOpenFile(request);
    ASSERT_TRUE(several);
    EXPECT_EQ(several->Folder, folder.toStdString());
    EXPECT_EQ(several->Names, (std::vector<std::string>{"a.jpg", "c.png"}));

    WhenModal<QFileDialog>([](QFileDialog* d) { d->reject(); });
    EXPECT_FALSE(dialogs.ShowOpenFile(request));
}

TEST_F(RealDialogs, FolderPickerShowsItsInstructionAndReportsAFolder) {
    TempHome home;
    const QString start = QString::fromStdString(home.Root().string());
    QDir().mkpath(start + "/holiday");
    FolderPickRequest request{"Add Pictures", start.toStdString(),
                              "Select a folder which contains pictures you want to add."};
    WhenModal<FolderPicker>([](FolderPicker* p) {
        EXPECT_EQ(p->windowTitle(), "Add Pictures");
        EXPECT_EQ(p->findChild<QLabel*>("instructions")->text(),
                  "Select a folder which contains pictures you want to add.");
        p->reject();
    });
    const FolderPickResult cancelled = dialogs.PickFolder(request);
    EXPECT_FALSE(cancelled.Accepted);
    EXPECT_EQ(cancelled.Path, start.toStdString());

    WhenModal<FolderPicker>([start](FolderPicker* p) {
        p->Browser()->findChild<QLineEdit*>("fileNameEdit")->setText("holiday");
        QMetaObject::invokeMethod(p->Browser(), "accept");
    });
    const FolderPickResult chosen = dialogs.PickFolder(request);
    EXPECT_TRUE(chosen.Accepted);
    EXPECT_EQ(chosen.Path, (start + "/holiday").toStdString());
}

TEST_F(RealDialogs, ProgressWindowShowsAdvancesAndGoes) {
    InstallAccessibleRoles();
    dialogs.ShowProgress();
    ProgressWindow* window = dialogs.ProgressWidget();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->Label(), "Creating Sorvane...");
    EXPECT_EQ(window->Maximum(), 100);
    // Read as a dialog with a named bar, not as an unnamed filler.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window)->role(), QAccessible::Dialog);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window->findChild<QProgressBar*>())
                  ->text(QAccessible::Name),
              "Progress");
    dialogs.ProgressWindow().SetLabel("Creating Images...");
    dialogs.ProgressWindow().SetMaximum(3);
    dialogs.ProgressWindow().SetValue(2);
    dialogs.ProgressWindow().Repaint();
    EXPECT_EQ(window->Label(), "Creating Images...");
    EXPECT_EQ(window->Value(), 2);
    window->close();  // the work it shows is not cut short
    EXPECT_TRUE(window->isVisible());
    dialogs.HideProgress();
    EXPECT_FALSE(window->isVisible());
    dialogs.UnloadProgress();
    EXPECT_EQ(dialogs.ProgressWidget(), nullptr);
}

TEST_F(RealDialogs, BusyPointerAndUnloadingTheOtherWindows) {
    dialogs.SetBusy(true);
    EXPECT_EQ(owner.cursor().shape(), Qt::WaitCursor);
    dialogs.SetBusy(false);
    EXPECT_EQ(owner.cursor().shape(), Qt::ArrowCursor);

    Ask([](OverwriteDialog* d) { d->Button(OverwriteDialog::No)->click(); });
    dialogs.ShowProgress();
    dialogs.UnloadSecondaryWindows();
    EXPECT_EQ(dialogs.OverwriteWindow(), nullptr);
    EXPECT_EQ(dialogs.ProgressWidget(), nullptr);
}

}  // namespace
}  // namespace sorvane::test
