// desktop-sorvane: the main window.
#include <QApplication>
#include <csignal>

#include "AccessibleRoles.h"
#include "MainWindow.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/qt/Translations.h"

int main(int argc, char** argv) {
    // Past a file-size limit a write fails with its message instead of
    // ending the program unannounced.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("desktop-sorvane"));
    // No display name on purpose: Qt would append it to every dialog's title.
    // Ties the window to its launcher, icon and actions (the Wayland app id).
    QApplication::setDesktopFileName(QStringLiteral(SORVANE_APP_ID));
    // The installed translations beside the program, else the build's own.
    const QString exeDir = QCoreApplication::applicationDirPath();
    sorvane::InstallTranslations({exeDir + QStringLiteral("/../share/desktop-sorvane/translations"),
                                  QStringLiteral(SORVANE_BUILD_TRANSLATIONS)});
    sorvane::InstallAccessibleRoles();
    sorvane::MainWindow window(sorvane::MakeLinuxPlatform());
    window.Load();
    window.show();
    return app.exec();
}
