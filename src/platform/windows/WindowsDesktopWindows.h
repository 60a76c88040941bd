#pragma once

#include <string>

#include "platform/Platform.h"

namespace sorvane {

// The window classes that make up a desktop drawn by the browser engine:
// the desktop, its view, and the browser inside the view.
struct DesktopWindowClasses {
    std::string Desktop = "Progman";
    std::string View = "SHELLDLL_DefView";
    std::string Browser = "Internet Explorer_Server";
};

// Looks the chain up one step at a time; each step searches below whatever
// the step before found, even nothing, as the desktop test always did.
class WindowsDesktopWindows : public DesktopWindows {
  public:
    explicit WindowsDesktopWindows(DesktopWindowClasses classes = {})
        : classes_(std::move(classes)) {}
    uint64_t FindDesktopBrowserWindow() override;

  private:
    DesktopWindowClasses classes_;
};

// The desktop that plays Windows' own slide show is on while the shell's
// desktop window is there.
class WindowsShellDesktop : public DesktopWindows {
  public:
    uint64_t FindDesktopBrowserWindow() override;
};

}  // namespace sorvane
