// desktop-sorvane.exe: the main window.
#include "Win32.h"

#include <commctrl.h>
#include <objbase.h>

#include "MainWindow.h"
#include "platform/windows/WindowsPlatform.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    // The shell's folder browser and the desktop's objects need COM on this thread.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_TAB_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    int code = 0;
    {
        sorvane::MainWindow window(sorvane::MakeWindowsPlatform());
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
