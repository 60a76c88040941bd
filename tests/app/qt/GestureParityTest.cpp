// The same gestures through the window's widgets and through the companion's
// actions end in the same state, step by step.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <functional>
#include <sstream>

#include "QtTestSupport.h"
#include "app/ScriptedDialogs.h"
#include "app/qt/ColorPicker.h"
#include "app/qt/MainWindow.h"
#include "cli/CliArguments.h"
#include "cli/CliRunner.h"
#include "common/TestPlatform.h"

namespace sorvane::test {
namespace {

// What a gesture may change, as one comparable text.
std::string Outcome(const FormState& st) {
    std::ostringstream o;
    const auto& s = st.Settings;
    const auto& c = st.Controls;
    for (const auto& p : s.Pictures)
        o << p.FileName << ':' << p.TransitionIndex << (p.Selected ? "*" : "") << ' ';
    o << "| colour " << s.BackgroundColor << " duration '" << s.DurationText << "' align '"
      << s.Alignment << "' changed " << s.Changed << " apply " << c.ApplyEnabled << " list "
      << c.ListIndex << " trans " << c.TransEnabled << '/' << c.TransIndex << " buttons "
      << c.RemoveEnabled << c.MoveUpEnabled << c.MoveDownEnabled;
    return o.str();
}

// The window, driven through its widgets as a person would.
struct WindowSide {
    TempHome& home;
    TestPlatform fakes{home};
    ScriptedDialogs dialogs;
    MainWindow window{fakes.Make(), &dialogs};

    explicit WindowSide(TempHome& h) : home(h) {
        window.Load();
        window.show();
    }
    template <typename T>
    T* Find(const char* name) {
        return window.findChild<T*>(name);
    }
    void Type(const char* text) {
        auto* box = Find<QLineEdit>("txtDuration");
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    void PickColour(uint32_t ole) {
        for (QAction* a : Find<QMenu>("clrBackgroundMenu")->actions())
            if (a->data().isValid() && a->data().toUInt() == ole) a->trigger();
    }
    void ClickAlign(int i) {
        // On the option's mark and words, where a person clicks: a radio
        // button wider than them takes no click beside them.
        auto* option = Find<QRadioButton>(("optAlign" + std::to_string(i)).c_str());
        QStyleOptionButton look;
        look.initFrom(option);
        look.text = option->text();
        const QRect mark =
            option->style()->subElementRect(QStyle::SE_RadioButtonClickRect, &look, option);
        QTest::mouseClick(option, Qt::LeftButton, Qt::NoModifier, mark.center());
    }
    void ChooseTransition(int i) {
        auto* box = Find<QComboBox>("cboTrans");
        ASSERT_TRUE(box->isEnabled());
        box->setCurrentIndex(i);
        emit box->activated(i);
    }
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        auto* list = Find<QListView>("lstPictures");
        const QRect r = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, r.center());
        QCoreApplication::processEvents();
    }
    void Click(const char* button) { Find<QPushButton>(button)->click(); }
    void Add(const std::string& folder, std::vector<std::string> names) {
        dialogs.OpenFileAnswers.push_back(ChosenFiles{folder, std::move(names)});
        Click("cmdAdd");
    }
};

// The companion's form, driven through its action table.
struct CompanionSide {
    TestPlatform fakes;
    ScriptedDialogs dialogs;
    MainForm form{fakes.Make(), dialogs};

    explicit CompanionSide(TempHome& home) : fakes(home) { form.Form_Load(); }
    void Run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        ASSERT_EQ(cli::RunActions(cli::ParseArguments(args), form, dialogs, out, err), 0)
            << err.str();
    }
};

struct Step {
    std::vector<std::string> companion;
    std::function<void(WindowSide&)> window;
};

class GestureParity : public ::testing::Test {
  protected:
    QtApp qt;
    TempHome windowHome, companionHome;

    std::string Pictures() {
        const auto folder = companionHome / "in";
        std::filesystem::create_directories(folder);
        for (const char* name : {"a.png", "b.png"}) {
            QImage image(40, 30, QImage::Format_RGB32);
            image.fill(Qt::blue);
            EXPECT_TRUE(image.save(QString::fromStdString((folder / name).string())));
        }
        return folder.string();
    }

    void Play(const std::vector<Step>& steps) {
        WindowSide window(windowHome);
        CompanionSide companion(companionHome);
        ASSERT_EQ(Outcome(window.window.Form().State()), Outcome(companion.form.State()));
        for (const Step& step : steps) {
            SCOPED_TRACE(step.companion[0]);
            step.window(window);
            companion.Run(step.companion);
            EXPECT_EQ(Outcome(window.window.Form().State()), Outcome(companion.form.State()));
        }
    }
};

TEST_F(GestureParity, OptionControls) {
    Play({
        // Retyping the shown text is still an edit; so is every later keystroke.
        {{"--duration", "6"}, [](WindowSide& w) { w.Type("6"); }},
        {{"--duration", "12s"}, [](WindowSide& w) { w.Type("12s"); }},
    });
    Play({
        // The colour or the option already shown is no edit.
        {{"--color", "0x80000001"}, [](WindowSide& w) { w.PickColour(0x80000001u); }},
        {{"--align", "center"}, [](WindowSide& w) { w.ClickAlign(1); }},
        {{"--align", "left"}, [](WindowSide& w) { w.ClickAlign(0); }},
        {{"--color", "0x8000000F"}, [](WindowSide& w) { w.PickColour(0x8000000Fu); }},
        {{"--align", "left"}, [](WindowSide& w) { w.ClickAlign(0); }},
    });
}

TEST_F(GestureParity, ListAndTransitions) {
    const std::string folder = Pictures();
    Play({
        {{"--add", folder + "/a.png", folder + "/b.png"},
         [&](WindowSide& w) {
             w.Add(folder, {"a.png", "b.png"});
         }},
        {{"--select", "0"}, [](WindowSide& w) { w.ClickRow(0); }},
        {{"--transition", "Fade"}, [](WindowSide& w) { w.ChooseTransition(18); }},
        // Selecting shows the picture's transition without handing it on.
        {{"--select", "1"}, [](WindowSide& w) { w.ClickRow(1); }},
        {{"--select", "0,1"}, [](WindowSide& w) { w.ClickRow(0, Qt::ShiftModifier); }},
        {{"--transition", "8"}, [](WindowSide& w) { w.ChooseTransition(8); }},
        {{"--move-down"}, [](WindowSide& w) { w.Click("cmdMoveDown"); }},
        {{"--remove"}, [](WindowSide& w) { w.Click("cmdRemove"); }},
    });
}

}  // namespace
}  // namespace sorvane::test
