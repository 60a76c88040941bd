#include "WindowsShell.h"

#include <windows.h>

#include <shellapi.h>
#undef ExpandEnvironmentStrings  // the backend's method, not the system macro

#include "platform/BrowserVersion.h"
#include "platform/DesktopRegistryNames.h"

namespace sorvane {

namespace {

// ShellExecute reports success with a value above 32.
bool Started(HINSTANCE result) { return reinterpret_cast<INT_PTR>(result) > 32; }

}  // namespace

std::string WindowsShell::ReadText(uint32_t root, const char* key, const char* name) {
    std::unique_ptr<RegistryKey> opened;
    if (registry_->OpenKey(root, key, KeyQueryValue, opened) != RegSuccess) return {};
    uint32_t type = 0, size = 0;
    std::vector<uint8_t> data;
    if (registry_->QueryValue(*opened, name, type, &data, size) != RegSuccess) return {};
    if (type != RegSz && type != RegExpandSz) return {};
    std::string text(data.begin(), data.end());
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    return type == RegExpandSz ? registry_->ExpandEnvironmentStrings(text) : text;
}

bool WindowsShell::Open(const std::string& target) {
    return Started(ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

bool WindowsShell::OpenInBrowser(const std::string& pagePath) {
    const std::string program = BrowserFolder() + "\\iexplore.exe";
    const size_t cut = pagePath.find_last_of('\\');
    const std::string folder = cut == std::string::npos ? std::string() : pagePath.substr(0, cut);
    if (GetFileAttributesA(program.c_str()) != INVALID_FILE_ATTRIBUTES &&
        Started(ShellExecuteA(nullptr, "open", program.c_str(), pagePath.c_str(),
                              folder.empty() ? nullptr : folder.c_str(), SW_SHOWNORMAL)))
        return true;
    return Open(pagePath);
}

std::string WindowsShell::BrowserFolder() {
    return ReadText(HKeyLocalMachine, BrowserSetupKey, BrowserSetupPathName);
}

bool WindowsShell::TransitionsAvailable() {
    return BrowserVersionHasTransitions(ReadText(HKeyLocalMachine, BrowserKey, BrowserVersionName));
}

std::string WindowsShell::OpenDisplaySettings() {
    // The 16-bit rundll.exe is gone from 64-bit systems; rundll32 runs the
    // same control panel entry everywhere. The outcome is not looked at.
    ShellExecuteA(nullptr, "open", "rundll32.exe", "shell32.dll,Control_RunDLL desk.cpl,,0",
                  nullptr, SW_SHOWNORMAL);
    return {};
}

}  // namespace sorvane
