#pragma once

#include <memory>

#include "ComApartment.h"
#include "platform/Platform.h"

struct IActiveDesktop;

namespace sorvane {

// The shell's Active Desktop object. Each call that the object refuses throws
// sorvane::Error with the refusal as Number.
class WindowsActiveDesktop : public ActiveDesktop {
  public:
    // A new instance of the shell's object; throws sorvane::Error when the
    // system has none.
    static std::unique_ptr<WindowsActiveDesktop> Create();
    // Takes one reference to `object` (tests hand in their own).
    explicit WindowsActiveDesktop(IActiveDesktop* object);
    ~WindowsActiveDesktop() override;
    WindowsActiveDesktop(const WindowsActiveDesktop&) = delete;
    WindowsActiveDesktop& operator=(const WindowsActiveDesktop&) = delete;

    // The wallpaper setting, read through a 260-character buffer.
    std::string GetWallpaper() override;
    // The path up to its first NUL, as wide text.
    void SetWallpaper(const std::string& path) override;
    void ApplyChanges(unsigned flags) override;

  private:
    std::unique_ptr<ComApartment> apartment_;  // outlives the object below
    IActiveDesktop* object_;
};

}  // namespace sorvane
