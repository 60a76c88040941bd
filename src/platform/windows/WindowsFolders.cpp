#include "WindowsFolders.h"

#include <windows.h>

#include <shlobj.h>

#include "platform/ProgramPath.h"

namespace sorvane {

std::string WindowsFolders::PicturesFolder() {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_MYPICTURES, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return path;
}

std::string WindowsFolders::ProgramFolder() {
    const std::string exe = ProgramPath();
    const size_t cut = exe.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : exe.substr(0, cut);
}

std::string WindowsFolders::TemplatePath() { return ProgramFolder() + "\\template.html"; }

}  // namespace sorvane
