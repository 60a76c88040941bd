// desktop-sorvane: the main window.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <csignal>

#include "AccessibleRoles.h"
#include "MainWindow.h"
#include "platform/linux/LinuxPlatform.h"

int main(int argc, char** argv) {
    // Past a file-size limit a write fails with its message instead of
    // ending the program unannounced.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("desktop-sorvane"));
    // No display name on purpose: Qt would append it to every dialog's title.
    // Ties the window to its launcher, icon and actions (the Wayland app id).
    QApplication::setDesktopFileName(QStringLiteral(SORVANE_APP_ID));
    // Qt's own texts (file and colour dialogs, standard buttons) in the
    // user's language.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    sorvane::InstallAccessibleRoles();
    sorvane::MainWindow window(sorvane::MakeLinuxPlatform());
    window.Load();
    window.show();
    return app.exec();
}
