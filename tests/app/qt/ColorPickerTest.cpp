#include <gtest/gtest.h>

#include <QAction>
#include <QColorDialog>
#include <QMenu>
#include <QSignalSpy>
#include <QToolButton>

#include "QtTestSupport.h"
#include "app/qt/ColorPicker.h"
#include "common/FakeColors.h"

namespace sorvane::test {
namespace {

class Picker : public ::testing::Test {
  protected:
    QtApp qt;
    TableColors colors;
    ColorPicker picker{colors};
    QToolButton* Swatch() { return picker.findChild<QToolButton*>("clrBackgroundButton"); }
    QAction* SystemEntry(const QString& name) {
        for (QAction* a : picker.findChild<QMenu*>("clrBackgroundMenu")->actions())
            if (a->text() == name) return a;
        return nullptr;
    }
};

TEST_F(Picker, StartsAtTheDesktopColourAndValuesFromCodeRaiseNothing) {
    QSignalSpy changed(&picker, &ColorPicker::Changed);
    EXPECT_EQ(picker.Value(), 0x80000001u);
    EXPECT_EQ(Swatch()->text(), "Desktop");
    picker.SetValue(0x00336699);
    EXPECT_EQ(picker.Value(), 0x00336699u);
    EXPECT_EQ(Swatch()->text(), "#996633");
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(Picker, SystemColoursArePickedByNameAndReported) {
    QSignalSpy changed(&picker, &ColorPicker::Changed);
    QAction* face = SystemEntry("Button Face");
    ASSERT_NE(face, nullptr);
    face->trigger();
    EXPECT_EQ(picker.Value(), 0x8000000Fu);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(Swatch()->text(), "Button Face");
    face->trigger();  // the same colour again is no change
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(Picker, TheColourDialogGivesAPlainColour) {
    QSignalSpy changed(&picker, &ColorPicker::Changed);
    WhenModal<QColorDialog>([](QColorDialog* d) {
        d->setCurrentColor(QColor(0x12, 0x34, 0x56));
        d->accept();
    });
    picker.ChooseOtherColor();
    EXPECT_EQ(picker.Value(), 0x00563412u);
    EXPECT_EQ(changed.count(), 1);

    WhenModal<QColorDialog>([](QColorDialog* d) { d->reject(); });
    picker.ChooseOtherColor();
    EXPECT_EQ(picker.Value(), 0x00563412u);
    EXPECT_EQ(changed.count(), 1);
}

}  // namespace
}  // namespace sorvane::test
