#pragma once

#include <memory>

#include "ComApartment.h"
#include "platform/DesktopSlideshow.h"

struct IDesktopWallpaper;

namespace sorvane {

// Windows' own desktop slide show, through the shell's desktop wallpaper
// object (Windows 8 and later; Wine has none). Each call that the object
// refuses throws sorvane::Error with the refusal as Number.
class WindowsDesktopSlideshow : public DesktopSlideshow {
  public:
    // A new instance of the shell's object; throws sorvane::Error when the
    // system has none.
    static std::unique_ptr<WindowsDesktopSlideshow> Create();
    // Takes one reference to `object` (tests hand in their own).
    explicit WindowsDesktopSlideshow(IDesktopWallpaper* object);
    ~WindowsDesktopSlideshow() override;
    WindowsDesktopSlideshow(const WindowsDesktopSlideshow&) = delete;
    WindowsDesktopSlideshow& operator=(const WindowsDesktopSlideshow&) = delete;

    // The first screen's picture when the screens differ.
    std::string Wallpaper() override;
    // "" goes through the system parameter for the wallpaper.
    void SetWallpaper(const std::string& picture) override;
    int GetPosition() override;
    void SetPosition(int position) override;
    uint32_t BackgroundColor() override;
    void SetBackgroundColor(uint32_t color) override;
    // The paths become shell items ("/" taken as "\").
    void SetSlideshow(const std::vector<std::string>& items) override;
    std::vector<std::string> Slideshow() override;
    void SetSlideshowOptions(bool shuffle, unsigned intervalMs) override;
    bool SlideshowPlaying() override;

  private:
    std::unique_ptr<ComApartment> apartment_;  // outlives the object below
    IDesktopWallpaper* object_;
};

}  // namespace sorvane
