// The main window offscreen: what it shows at start, and that the user's
// actions reach the form and come back as the form holds them.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "QtTestSupport.h"
#include "app/ScriptedDialogs.h"
#include "app/qt/AboutPicture.h"
#include "app/qt/AboutTab.h"
#include "app/qt/ComboBoxSetup.h"
#include "app/qt/FolderPicker.h"
#include "app/qt/MainWindow.h"
#include "app/qt/OverwriteDialog.h"
#include "app/qt/PreviewBox.h"
#include "app/qt/SettingsPage.h"
#include "common/FormAccess.h"
#include "common/TestPlatform.h"
#include "registry/SqliteRegistryBackend.h"

namespace sorvane::test {
namespace {

class Widgets : public ::testing::Test {
  protected:
    QtApp qt;
    TempHome home;
    TestPlatform fakes{home};
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    Widgets() {
        Platform p = fakes.Make();
        p.registry = std::make_shared<SqliteRegistryBackend>(
            (home / "config/desktop-sorvane/registry.db").string());
        window = std::make_unique<MainWindow>(std::move(p), &dialogs);
        window->Load();
        window->show();
    }

    template <typename T>
    T* Find(const char* name) {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString Caption(const char* name) { return Find<QAbstractButton>(name)->text(); }
    bool Enabled(const char* name) { return Find<QWidget>(name)->isEnabled(); }
    FormState& State() { return test::Setup(window->Form()); }
    bool HasLabel(const QString& text) {
        for (QLabel* l : window->findChildren<QLabel*>())
            if (l->text() == text) return true;
        return false;
    }

    // Pictures in the store and the list, as adding them would leave them.
    void AddPictures(std::initializer_list<std::pair<const char*, QSize>> pictures) {
        for (const auto& [name, size] : pictures) {
            QImage image(size, QImage::Format_RGB32);
            image.fill(Qt::red);
            ASSERT_TRUE(image.save(QString::fromStdString(State().Window.PictureStore + name)));
            State().Settings.Pictures.push_back({name, TransitionNone, false});
        }
        window->Mirror();
    }
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        auto* list = Find<QListView>("lstPictures");
        const QRect r = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, r.center());
        QCoreApplication::processEvents();
    }
};

TEST_F(Widgets, StartsWithTheCaptionsAndStatesOfTheLayout) {
    EXPECT_EQ(window->windowTitle(), "Desktop Sorvane");
    auto* tabs = Find<QTabWidget>("TabStrip1");
    EXPECT_EQ(tabs->tabText(0), "Settings");
    EXPECT_EQ(tabs->tabText(1), "About");
    EXPECT_EQ(tabs->currentIndex(), 0);

    const std::pair<const char*, const char*> captions[] = {{"cmdAdd", "Add Picture"},
                                                            {"cmdAddFolder", "Add Folder"},
                                                            {"cmdRemove", "Remove Selected"},
                                                            {"cmdPrevew", "Preview"},
                                                            {"cmdSetWallpaper", "Set Wallpaper"},
                                                            {"cmdHelp", "&Help"},
                                                            {"cmdOk", "&Ok"},
                                                            {"cmdCancel", "&Cancel"},
                                                            {"cmdApply", "&Apply"},
                                                            {"optAlign0", "Left"},
                                                            {"optAlign1", "Center"},
                                                            {"optAlign2", "Right"}};
    for (const auto& [name, caption] : captions) EXPECT_EQ(Caption(name), caption) << name;
    for (const char* on : {"cmdAdd", "cmdAddFolder", "lstPictures", "clrBackground", "txtDuration",
                           "cmdPrevew", "cmdSetWallpaper", "cmdHelp", "cmdOk", "cmdCancel"})
        EXPECT_TRUE(Enabled(on)) << on;
    for (const char* off : {"cmdRemove", "cmdMoveUp", "cmdMoveDown", "cboTrans", "cmdApply"})
        EXPECT_FALSE(Enabled(off)) << off;
    for (const char* label :
         {"Pictures:", "Preview:", "Transform:", "Background Color:", "View Duration:", "seconds"})
        EXPECT_TRUE(HasLabel(label)) << label;
    EXPECT_EQ(Find<QGroupBox>("Frame1Align")->title(), "Align Image");
    EXPECT_TRUE(Find<QRadioButton>("optAlign1")->isChecked());
    // Left, Center, Right from left to right.
    EXPECT_LT(Find<QWidget>("optAlign0")->x(), Find<QWidget>("optAlign1")->x());
    EXPECT_LT(Find<QWidget>("optAlign1")->x(), Find<QWidget>("optAlign2")->x());
    EXPECT_EQ(Find<QLineEdit>("txtDuration")->text(), "6");
    EXPECT_EQ(Find<QListView>("lstPictures")->selectionMode(),
              QAbstractItemView::ExtendedSelection);
    EXPECT_FALSE(Caption("cmdMoveUp").isEmpty());
    EXPECT_NE(Caption("cmdMoveUp"), Caption("cmdMoveDown"));

    auto* trans = Find<QComboBox>("cboTrans");
    EXPECT_EQ(trans->count(), 55);
    EXPECT_EQ(trans->currentText(), "None");
    EXPECT_EQ(trans->itemText(18), "Fade");
    EXPECT_TRUE(trans->lineEdit()->isReadOnly());
    // The list is as wide as 27 average letters, the longest names.
    EXPECT_EQ(trans->view()->minimumWidth(), 27 * AverageCharWidth(*window));
    EXPECT_GT(AverageCharWidth(*window), 0);

    // The preview box tells the form its inner size.
    const QSize inner = Find<PreviewBox>("Picture1")->InnerSize();
    EXPECT_EQ(State().Controls.PreviewBox, (PixelSize{inner.width(), inner.height()}));

    // The window fits the smallest likely work area.
    EXPECT_LE(window->frameGeometry().width(), 1024);
    EXPECT_LE(window->frameGeometry().height(), 738);
}

TEST_F(Widgets, EditsReachTheFormAndEnableApply) {
    auto* duration = Find<QLineEdit>("txtDuration");
    duration->setFocus();
    duration->selectAll();
    QTest::keyClicks(duration, "1x");
    EXPECT_EQ(State().Settings.DurationText, "1x");
    EXPECT_TRUE(State().Settings.Changed);
    EXPECT_TRUE(Enabled("cmdApply"));

    State().Controls.ApplyEnabled = false;
    window->Mirror();
    QTest::mouseClick(Find<QRadioButton>("optAlign2"), Qt::LeftButton);
    EXPECT_EQ(State().Settings.Alignment, "right");
    EXPECT_EQ(AlignIndexOf(State().Settings.Alignment), 2);
    EXPECT_TRUE(Enabled("cmdApply"));

    // Every keystroke counts, also one that leaves the text as it was.
    State().Settings.Changed = false;
    State().Controls.ApplyEnabled = false;
    window->Mirror();
    duration->setSelection(1, 1);
    QTest::keyClicks(duration, "x");  // "x" typed over "x"
    EXPECT_EQ(State().Settings.DurationText, "1x");
    EXPECT_TRUE(State().Settings.Changed);
    EXPECT_TRUE(Enabled("cmdApply"));

    // Typing into the transition box changes nothing.
    auto* trans = Find<QComboBox>("cboTrans");
    QTest::keyClicks(trans->lineEdit(), "Fade");
    EXPECT_EQ(trans->currentText(), "None");
}

TEST_F(Widgets, ListClicksSelectAndTheButtonsFollow) {
    AddPictures({{"tall.png", {30, 60}}, {"wide.png", {100, 50}}, {"c.png", {10, 10}}});
    ClickRow(0);
    EXPECT_EQ(State().Controls.ListIndex, 0);
    EXPECT_TRUE(State().Settings.Pictures[0].Selected);
    EXPECT_TRUE(Enabled("cmdRemove"));
    EXPECT_FALSE(Enabled("cmdMoveUp"));
    EXPECT_TRUE(Enabled("cmdMoveDown"));
    EXPECT_TRUE(Enabled("cboTrans"));
    EXPECT_FALSE(Enabled("cmdApply"));  // selecting is no edit

    // The preview draws the picture, PNG included, where the form put it.
    auto* box = Find<PreviewBox>("Picture1");
    const auto& c = State().Controls;
    EXPECT_TRUE(box->HasPicture());
    EXPECT_EQ(box->PictureRect(),
              QRect(c.PreviewLeft, c.PreviewTop, c.PreviewWidth, c.PreviewHeight));
    EXPECT_EQ(c.PreviewHeight, box->InnerSize().height());  // taller than wide fills the height

    ClickRow(2, Qt::ShiftModifier);
    EXPECT_EQ(State().Controls.ListIndex, 2);
    for (const auto& p : State().Settings.Pictures) EXPECT_TRUE(p.Selected);
    EXPECT_TRUE(Enabled("cmdMoveUp"));
    EXPECT_FALSE(Enabled("cmdMoveDown"));

    // A transition picked from the list goes to every selected picture.
    auto* trans = Find<QComboBox>("cboTrans");
    trans->setCurrentIndex(18);
    emit trans->activated(18);
    for (const auto& p : State().Settings.Pictures) EXPECT_EQ(p.TransitionIndex, 18);
    EXPECT_TRUE(Enabled("cmdApply"));

    // Moving the first one down: the list shows the new order and selection.
    ClickRow(0);
    QTest::mouseClick(Find<QPushButton>("cmdMoveDown"), Qt::LeftButton);
    auto* list = Find<QListView>("lstPictures");
    EXPECT_EQ(list->model()->index(1, 0).data().toString(), "tall.png");
    EXPECT_TRUE(list->selectionModel()->isRowSelected(1, {}));
    EXPECT_EQ(list->currentIndex().row(), State().Controls.ListIndex);
}

TEST_F(Widgets, AboutPageLinksAndTabs) {
    auto* tabs = Find<QTabWidget>("TabStrip1");
    tabs->setCurrentIndex(1);
    EXPECT_EQ(State().Controls.TabIndex, 2);
    EXPECT_TRUE(Find<QWidget>("Frame1")->isVisible());
    EXPECT_FALSE(Find<QWidget>("Frame0")->isVisible());
    EXPECT_EQ(Find<QLabel>("Label6")->text(), "Desktop Sorvane");
    EXPECT_EQ(Find<QWidget>("Image1")->size(), QSize(158, 168));
    EXPECT_TRUE(
        Find<QLabel>("Label7")->text().startsWith("You will need to enable Active Desktop"));

    auto* email = Find<LinkLabel>("lblEmail");
    auto* site = Find<LinkLabel>("lblOrl");
    EXPECT_EQ(email->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(email->text().endsWith('.'));
    // The e-mail link stands on the last line of the text before it.
    auto* label8 = Find<QWidget>("Label8");
    EXPECT_GE(email->mapTo(label8, QPoint(0, 0)).y(), label8->height() - email->height() - 1);

    auto blue = [](QLabel* l) {
        return l->palette().color(QPalette::WindowText) == QColor(0, 0, 255);
    };
    auto black = [](QLabel* l) {
        return l->palette().color(QPalette::WindowText) == QColor(0, 0, 0);
    };
    QTest::mouseMove(email, QPoint(3, 3));
    QTest::mouseMove(site, QPoint(3, 3));
    EXPECT_TRUE(blue(email));
    EXPECT_TRUE(blue(site));
    QTest::mouseMove(Find<QWidget>("Label7"), QPoint(3, 3));  // other texts change nothing
    EXPECT_TRUE(blue(site));
    QTest::mouseMove(label8->childAt(2, 2) ? label8->childAt(2, 2) : label8, QPoint(2, 2));
    EXPECT_TRUE(black(email));
    EXPECT_TRUE(blue(site));
    QTest::mouseMove(window->About(), QPoint(2, 2));
    EXPECT_TRUE(black(site));

    QTest::mouseClick(site, Qt::LeftButton);
    ASSERT_EQ(fakes.shell->opened.size(), 1u);
    EXPECT_EQ(fakes.shell->opened[0].rfind("https://", 0), 0u);

    tabs->setCurrentIndex(0);
    EXPECT_EQ(State().Controls.TabIndex, 1);
    EXPECT_TRUE(Find<QWidget>("Frame0")->isVisible());
}

TEST_F(Widgets, KeyboardReachesTheListAndTheLinks) {
    // Tabbing into the list makes its first entry current and shows it
    // selected, so Remove acts on what the user sees.
    AddPictures({{"a.jpg", {40, 30}}, {"b.jpg", {40, 30}}});
    auto* list = Find<QListView>("lstPictures");
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    list->setFocus(Qt::TabFocusReason);
    // The form hears of a selection once the events of the change are through.
    static_cast<void>(QTest::qWaitFor([this] { return State().Settings.Pictures[0].Selected; }));
    EXPECT_EQ(list->currentIndex().row(), 0);
    EXPECT_TRUE(list->selectionModel()->isRowSelected(0, {}));
    EXPECT_TRUE(State().Settings.Pictures[0].Selected);
    EXPECT_TRUE(Enabled("cmdRemove"));
    Find<QPushButton>("cmdRemove")->click();
    ASSERT_EQ(State().Settings.Pictures.size(), 1u);
    EXPECT_EQ(State().Settings.Pictures[0].FileName, "b.jpg");

    // The links take focus by Tab and open with Enter or Space.
    Find<QTabWidget>("TabStrip1")->setCurrentIndex(1);
    auto* email = Find<LinkLabel>("lblEmail");
    auto* site = Find<LinkLabel>("lblOrl");
    for (LinkLabel* link : {email, site}) EXPECT_EQ(link->focusPolicy(), Qt::StrongFocus);
    QTest::keyClick(site, Qt::Key_Return);
    QTest::keyClick(site, Qt::Key_Space);
    QTest::keyClick(site, Qt::Key_A);  // other keys open nothing
    EXPECT_EQ(fakes.shell->opened.size(), 2u);
}

TEST_F(Widgets, CancelAndTheCloseBoxCloseThroughTheForm) {
    QTest::keyClick(Find<QLineEdit>("txtDuration"), Qt::Key_7);
    QTest::mouseClick(Find<QPushButton>("cmdCancel"), Qt::LeftButton);
    EXPECT_TRUE(window->Form().Closed());
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(dialogs.Log.empty() || dialogs.Log.back().rfind("progress", 0) != 0);
}

TEST_F(Widgets, TheCloseBoxClosesLikeCancel) {
    WriteFile(State().Window.PreviewPagePath, "x");
    window->close();
    EXPECT_TRUE(window->Form().Closed());
    EXPECT_FALSE(std::filesystem::exists(State().Window.PreviewPagePath));
}

TEST_F(Widgets, TheBusyPointerFollowsTheForm) {
    State().Controls.Busy = true;
    window->Mirror();
    EXPECT_EQ(window->cursor().shape(), Qt::WaitCursor);
    State().Controls.Busy = false;
    window->Mirror();
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
}

// With its own dialogs: a question shows over the window as it stands.
TEST(WindowWithItsDialogs, AQuestionShowsTheListAsItStands) {
    QtApp qt;
    TempHome home;
    TestPlatform fakes{home};
    MainWindow window(fakes.Make());
    window.Load();
    window.show();
    FormState& state = test::Setup(window.Form());
    // Two pictures in a folder; the store already holds one of them.
    const std::filesystem::path folder = home / "holiday";
    std::filesystem::create_directories(folder);
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (const char* name : {"a.jpg", "b.jpg"})
        ASSERT_TRUE(image.save(QString::fromStdString((folder / name).string())));
    ASSERT_TRUE(image.save(QString::fromStdString(state.Window.PictureStore + "b.jpg")));

    WhenModal<FolderPicker>([&folder](FolderPicker* p) {
        p->Browser()
            ->findChild<QLineEdit*>("fileNameEdit")
            ->setText(QString::fromStdString(folder.string()));
        QMetaObject::invokeMethod(p->Browser(), "accept");
    });
    int listedAtQuestion = -1;
    WhenModal<OverwriteDialog>([&window, &listedAtQuestion](OverwriteDialog* d) {
        listedAtQuestion = window.findChild<QListView*>("lstPictures")->model()->rowCount();
        d->Button(OverwriteDialog::No)->click();
    });
    window.findChild<QPushButton*>("cmdAddFolder")->click();
    EXPECT_EQ(listedAtQuestion, 1) << "the picture added before the question is listed";
    EXPECT_EQ(state.Settings.Pictures.size(), 2u) << "No keeps the stored copy, and lists it";
}

}  // namespace
}  // namespace sorvane::test
