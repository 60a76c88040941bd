// desktop-sorvane-cli: the window's start-up, actions and closing, without a window.
#include <QCoreApplication>
#include <QGuiApplication>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <stdexcept>

#include "CliArguments.h"
#include "CliRunner.h"
#include "app/MainForm.h"
#include "app/ScriptedDialogs.h"
#include "platform/linux/HostSocket.h"
#include "platform/linux/LinuxActiveDesktop.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/LinuxShell.h"
#include "platform/qt/Translations.h"

int main(int argc, char** argv) {
    using namespace sorvane;
    // Past a file-size limit a write fails with its message ("File too
    // large") instead of ending the program unannounced.
    std::signal(SIGXFSZ, SIG_IGN);
    std::vector<std::string> raw(argv + 1, argv + argc);
    cli::Arguments args;
    try {
        args = cli::ParseArguments(raw);
    } catch (const std::invalid_argument& e) {
        std::cerr << "desktop-sorvane-cli: " << e.what() << "\n\n" << cli::UsageText();
        return 2;
    }
    if (args.Help) {
        std::cout << cli::UsageText();
        return 0;
    }
    if (args.Version) {
        std::cout << "desktop-sorvane-cli " << SORVANE_VERSION << "\n";
        return 0;
    }
    if (args.Actions.empty()) {
        std::cerr << "desktop-sorvane-cli: no action given\n\n" << cli::UsageText();
        return 2;
    }

    // A GUI application only where there is a display to ask for the work area;
    // the companion runs headless otherwise.
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    std::unique_ptr<QCoreApplication> app;
    if (!args.WorkArea && ((display && *display) || (wayland && *wayland)))
        app = std::make_unique<QGuiApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);

    // The window's messages, printed here, in the user's language too.
    const QString exeDir = QCoreApplication::applicationDirPath();
    InstallTranslations({exeDir + QStringLiteral("/../share/desktop-sorvane/translations"),
                         QStringLiteral(SORVANE_BUILD_TRANSLATIONS)});

    LinuxPlatformOptions options;
    options.WorkArea = args.WorkArea;
    options.OpenExternal = !args.NoBrowser;
    ScriptedDialogs dialogs;
    dialogs.OnMessage = [](const std::string& title, const std::string& text) {
        std::cerr << title << ": " << text << std::endl;
    };
    MainForm form(MakeLinuxPlatform(options), dialogs);
    form.Form_Load();
    const auto stopDesktop = [&form] {
        const std::string problem = StopDesktopSlideShow(
            form.Services().registry, HostSocketFolder(), LinuxShell::HostProgram());
        if (!problem.empty()) throw std::runtime_error(problem);
    };
    const int status = cli::RunActions(args, form, dialogs, std::cout, std::cerr, stopDesktop);
    cli::CloseForm(args, form);
    return status;
}
