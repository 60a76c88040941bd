// desktop-sorvane: the main window.
#include <QApplication>
#include <csignal>

#include "MainWindow.h"
#include "platform/linux/LinuxPlatform.h"

int main(int argc, char** argv) {
    // Past a file-size limit a write fails with its message instead of
    // ending the program unannounced.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("desktop-sorvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Desktop Sorvane"));
    // Ties the window to its launcher, icon and actions (the Wayland app id).
    QApplication::setDesktopFileName(QStringLiteral(SORVANE_APP_ID));
    sorvane::MainWindow window(sorvane::MakeLinuxPlatform());
    window.Load();
    window.show();
    return app.exec();
}
