#include "LinuxShell.h"

#include "ExecutableLocation.h"
#include "HostLauncher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <filesystem>

namespace fs = std::filesystem;

namespace sorvane {

namespace {

// A run on Qt's offscreen or minimal platform, or with no GUI at all, has no
// desktop to show anything on.
bool HasDisplay() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return false;
    const QString name = QGuiApplication::platformName();
    return name != QLatin1String("offscreen") && name != QLatin1String("minimal");
}

bool OpenUrl(const QUrl& url) {
    // Without a GUI application Qt can't reach the desktop's services; xdg-open can.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
        return QDesktopServices::openUrl(url);
    return QProcess::startDetached("xdg-open", {url.toString(QUrl::FullyEncoded)});
}

}  // namespace

bool LinuxShell::Open(const std::string& target) {
    if (!openExternal_) return false;
    return OpenUrl(QUrl(QString::fromStdString(target)));
}

bool LinuxShell::OpenInBrowser(const std::string& pagePath) {
    if (!openExternal_) return false;
    return OpenUrl(QUrl::fromLocalFile(QString::fromStdString(pagePath)));
}

std::string LinuxShell::BrowserFolder() {
    for (const char* name : {"x-www-browser", "sensible-browser", "firefox", "firefox-esr",
                             "chromium", "google-chrome", "epiphany-browser", "konqueror"}) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty()) return QFileInfo(path).absolutePath().toStdString();
    }
    return {};
}

bool LinuxShell::TransitionsAvailable() {
    // Our page's transitions run in any current engine, the host's included.
    return !BrowserFolder().empty() || !HostProgram().empty();
}

std::string LinuxShell::HostProgram() {
    const std::string beside = ExecutableFolder() + "/desktop-sorvane-host";
    std::error_code ec;
    if (fs::is_regular_file(beside, ec)) return beside;
    // Run from the build tree, the host sits in its own folder there; it comes
    // before an installed one, which may be older.
    if (RunFromBuildTree() && fs::is_regular_file(SORVANE_BUILD_HOST_PROGRAM, ec))
        return SORVANE_BUILD_HOST_PROGRAM;
    return QStandardPaths::findExecutable("desktop-sorvane-host").toStdString();
}

bool LinuxShell::MayStartHost() const { return openExternal_ && HasDisplay(); }

std::string LinuxShell::OpenDisplaySettings() {
    // Turning the web desktop on means starting our desktop host with the
    // wallpaper page; it detaches once the page is seen, or says why not.
    if (!MayStartHost()) return {};
    const std::string page = wallpaperPage_ ? wallpaperPage_() : std::string();
    return RunHostProgram(HostProgram(), {"load", page});
}

}  // namespace sorvane
