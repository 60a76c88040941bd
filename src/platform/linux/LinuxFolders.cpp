#include "LinuxFolders.h"

#include "ExecutableLocation.h"
#include "platform/qt/QtPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace sorvane {

namespace {

std::string WithoutTrailingSlash(QString path) {
    while (path.size() > 1 && path.endsWith('/')) path.chop(1);
    return PathFromQt(path);
}

}  // namespace

std::string LinuxFolders::PicturesFolder() {
    return WithoutTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
}

std::string LinuxFolders::ProgramFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty()) return {};
    return WithoutTrailingSlash(data + "/desktop-sorvane");
}

std::string LinuxFolders::TemplatePath() {
    // The user's own template wins; then the installed one beside the program,
    // the configured install folder, and the source tree for uninstalled builds.
    const std::string exeDir = ExecutableFolder();
    std::vector<std::string> candidates = {
        ProgramFolder() + "/template.html",
        exeDir + "/../share/desktop-sorvane/template.html",
        std::string(SORVANE_DATA_INSTALL_DIR) + "/template.html",
    };
    if (RunFromBuildTree())
        candidates.push_back(std::string(SORVANE_SOURCE_RESOURCES) + "/template.html");
    std::error_code ec;
    for (const auto& c : candidates)
        if (fs::is_regular_file(c, ec)) return fs::weakly_canonical(c, ec).string();
    // Missing everywhere: name the place the installed program looks first.
    return fs::weakly_canonical(candidates[exeDir.empty() ? 2 : 1], ec).string();
}

}  // namespace sorvane
