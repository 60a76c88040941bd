// Saves pictures of the window's two pages, as a person would see them after
// adding the sample pictures: window-screenshots OUTPUT_FOLDER [SUFFIX].
// Run under a real X server (xvfb-run) for the README's screenshots. In the
// user's language (LANG); fails when a caption is cut off.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <filesystem>
#include <iostream>

#include "app/qt/MainWindow.h"
#include "app/qt/SettingsPage.h"
#include "common/TempHome.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/qt/Translations.h"
#include "settings/ConfigFile.h"

namespace fs = std::filesystem;
using namespace sorvane;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: window-screenshots OUTPUT_FOLDER [SUFFIX]\n";
        return 2;
    }
    const QString out = QDir(argv[1]).absolutePath();
    const QString suffix = argc > 2 ? argv[2] : "";
    test::TempHome home;  // the user's folders in a temporary place
    QApplication app(argc, argv);
    InstallTranslations({QStringLiteral(SORVANE_BUILD_TRANSLATIONS)});

    // A previous run's settings: four pictures, one with a transition.
    LinuxPlatformOptions options;
    options.OpenExternal = false;
    Platform platform = MakeLinuxPlatform(options);
    const std::string data = platform.folders->ProgramFolder();
    fs::create_directories(data + "/images");
    SlideshowSettings settings;
    settings.DurationText = "8";
    settings.Alignment = "center";
    int n = 0;
    for (const char* name : {"dusk.jpg", "meadow.jpg", "sea.jpg", "sun.png"}) {
        fs::copy_file(fs::path(SORVANE_TEST_SOURCE_DIR) / "resources/samples" / name,
                      data + "/images/" + name);
        settings.Pictures.push_back({name, n++ == 1 ? 18 : TransitionNone, false});
    }
    test::WriteFile(data + "/config.dat", FormatConfigFile(settings));

    MainWindow window(std::move(platform));
    window.Load();
    window.show();
    window.Form().UserSelectedEntries({1}, 1);
    window.Mirror();

    // A caption narrower than its text shows cut off: longer translations
    // must still fit.
    int cutOff = 0;
    auto checkCaptions = [&window, &cutOff] {
        for (QWidget* w : window.findChildren<QWidget*>()) {
            if (!w->isVisible()) continue;
            QString text;
            int needed = 0;
            if (auto* label = qobject_cast<QLabel*>(w)) {
                text = label->text();
                needed = label->minimumSizeHint().width();
            } else if (auto* push = qobject_cast<QPushButton*>(w)) {
                // Push buttons ask for a minimum width their text may not
                // need; the text needs its width and the style's margin.
                text = push->text();
                needed = push->fontMetrics().horizontalAdvance(QString(text).remove('&')) +
                         push->style()->pixelMetric(QStyle::PM_ButtonMargin);
            } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                text = button->text();
                needed = button->sizeHint().width();
            } else {
                continue;
            }
            if (w->width() < needed) {
                std::cerr << "cut off: " << w->objectName().toStdString() << " \""
                          << text.toStdString() << "\" " << w->width() << " < " << needed << "\n";
                ++cutOff;
            }
        }
    };
    auto* tabs = window.findChild<QTabWidget*>("TabStrip1");
    QTimer::singleShot(300, [&] {
        checkCaptions();
        window.grab().save(out + "/settings" + suffix + ".png");
        tabs->setCurrentIndex(1);
        QTimer::singleShot(300, [&] {
            checkCaptions();
            window.grab().save(out + "/about" + suffix + ".png");
            std::cout << "window " << window.width() << "x" << window.height() << "\n";
            app.quit();
        });
    });
    const int rc = app.exec();
    return rc != 0 ? rc : cutOff != 0;
}
