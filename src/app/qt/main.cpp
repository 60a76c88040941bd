// desktop-sorvane: the main window.
#include <QApplication>

#include "MainWindow.h"
#include "platform/linux/LinuxPlatform.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("desktop-sorvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Desktop Sorvane"));
    QApplication::setDesktopFileName(QStringLiteral("desktop-sorvane"));
    sorvane::MainWindow window(sorvane::MakeLinuxPlatform());
    window.Load();
    window.show();
    return app.exec();
}
