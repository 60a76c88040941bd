#include "WindowsDesktopWindows.h"

#include <windows.h>

namespace sorvane {

uint64_t WindowsDesktopWindows::FindDesktopBrowserWindow() {
    HWND desktop = FindWindowA(classes_.Desktop.c_str(), nullptr);
    HWND view = FindWindowExA(desktop, nullptr, classes_.View.c_str(), nullptr);
    HWND browser = FindWindowExA(view, nullptr, classes_.Browser.c_str(), nullptr);
    return reinterpret_cast<uintptr_t>(browser);
}

uint64_t WindowsShellDesktop::FindDesktopBrowserWindow() {
    return reinterpret_cast<uintptr_t>(GetShellWindow());
}

}  // namespace sorvane
