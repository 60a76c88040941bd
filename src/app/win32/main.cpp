// desktop-sorvane.exe: the main window, or with --stop-desktop the desktop
// slide show turned off.
#include "Win32.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include "DesktopChoice.h"
#include "MainWindow.h"

namespace {

bool StopRequested(PCWSTR commandLine) {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(commandLine, &count);
    bool stop = false;
    for (int i = 0; args && i < count; ++i)
        stop = stop || lstrcmpW(args[i], L"--stop-desktop") == 0;
    LocalFree(args);
    return stop;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    // The shell's folder browser and the desktop's objects need COM on this thread.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_TAB_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    int code = 0;
    if (StopRequested(GetCommandLineW())) {
        code = sorvane::StopDesktopSlideShow(sorvane::MakeDesktopPlatform());
    } else {
        sorvane::MainWindow window(sorvane::MakeDesktopPlatform());
        window.Load(show);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (window.PreTranslate(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        code = static_cast<int>(msg.wParam);
    }
    CoUninitialize();
    return code;
}
