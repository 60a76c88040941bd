// Saves pictures of the window's two pages, as a person would see them after
// adding the sample pictures: window-screenshots OUTPUT_FOLDER [SUFFIX].
// Run under a real X server (xvfb-run) for the README's screenshots.
#include <QApplication>
#include <QDir>
#include <QListView>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>
#include <filesystem>
#include <iostream>

#include "app/qt/MainWindow.h"
#include "app/qt/SettingsPage.h"
#include "common/TempHome.h"
#include "platform/linux/LinuxPlatform.h"
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

    auto* tabs = window.findChild<QTabWidget*>("TabStrip1");
    QTimer::singleShot(300, [&] {
        window.grab().save(out + "/settings" + suffix + ".png");
        tabs->setCurrentIndex(1);
        QTimer::singleShot(300, [&] {
            window.grab().save(out + "/about" + suffix + ".png");
            std::cout << "window " << window.width() << "x" << window.height() << "\n";
            app.quit();
        });
    });
    return app.exec();
}
