#include "DesktopChoice.h"

#include "Win32.h"

#include "Wide.h"
#include "app/DesktopWallpaper.h"
#include "app/SlideshowDesktop.h"
#include "platform/Error.h"
#include "platform/Translate.h"
#include "platform/windows/WindowsDesktopSlideshow.h"
#include "platform/windows/WindowsDesktopWindows.h"
#include "platform/windows/WindowsPlatform.h"

namespace sorvane {

Platform MakeDesktopPlatform() {
    Platform p = MakeWindowsPlatform();
    try {
        WindowsDesktopSlideshow::Create();
    } catch (const Error&) {
        return p;  // no slide show object: the Active Desktop it is
    }
    UseDesktopSlideshow(
        p, [] { return WindowsDesktopSlideshow::Create(); },
        std::make_shared<WindowsShellDesktop>());
    return p;
}

int StopDesktopSlideShow(Platform platform) {
    const std::string title = SORVANE_TR("Sorvane", "Desktop Slide Show");
    std::string text;
    UINT icon = MB_ICONINFORMATION;
    int code = 0;
    try {
        const std::string page = platform.folders->PicturesFolder() + "/Sorvane.html";
        text = StopDesktopShow(platform, page);
        if (text.empty())
            text = SORVANE_TR("Sorvane",
                              "The desktop slide show has stopped, and your earlier wallpaper is "
                              "back.");
    } catch (const Error& e) {
        text = e.what();
        icon = MB_ICONERROR;
        code = 1;
    }
    MessageBoxW(nullptr, Wide(text).c_str(), Wide(title).c_str(), MB_OK | icon);
    return code;
}

}  // namespace sorvane
