#include "WindowsFolders.h"

#include <windows.h>

#include <shlobj.h>

#include <string>

#include "platform/ProgramPath.h"

namespace sorvane {

namespace {

std::string ExecutableFolder() {
    const std::string exe = ProgramPath();
    const size_t cut = exe.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : exe.substr(0, cut);
}

// Whether a file can be made in `folder`, found by making one: the folder's
// permissions alone do not say what virtualisation and policies allow.
bool CanWriteIn(const std::string& folder) {
    const std::string probe =
        folder + "\\~sorvane-" + std::to_string(GetCurrentProcessId()) + ".tmp";
    HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

}  // namespace

std::string WindowsFolders::PicturesFolder() {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_MYPICTURES, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return path;
}

std::string WindowsFolders::ProgramFolder() {
    if (!dataFolder_.empty()) return dataFolder_;
    dataFolder_ = ExecutableFolder();
    if (CanWriteIn(dataFolder_)) return dataFolder_;
    char local[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                                   SHGFP_TYPE_CURRENT, local))) {
        const std::string own = std::string(local) + "\\Desktop Sorvane";
        // Where that cannot be made either, the program's folder stays, and
        // writing there tells the user why it failed.
        if (CreateDirectoryA(own.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS)
            dataFolder_ = own;
    }
    return dataFolder_;
}

std::string WindowsFolders::TemplatePath() { return ExecutableFolder() + "\\template.html"; }

}  // namespace sorvane
