#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sorvane {

// The system's own desktop slide show (Windows 8 and later): one picture at a
// time from a list, each for a set time, placed on the screens as the
// position says. Each call throws sorvane::Error when the system refuses it.
class DesktopSlideshow {
  public:
    // How a picture is placed on a screen, in the system's own numbering.
    enum Position : int { Center = 0, Tile = 1, Stretch = 2, Fit = 3, Fill = 4, Span = 5 };

    virtual ~DesktopSlideshow() = default;

    // The one picture every screen shows; "" for none, a plain colour, or a
    // slide show.
    virtual std::string Wallpaper() = 0;
    // One picture on every screen ("" for none); ends a slide show.
    virtual void SetWallpaper(const std::string& picture) = 0;
    virtual int GetPosition() = 0;
    virtual void SetPosition(int position) = 0;
    // Around and behind the pictures, as 0x00BBGGRR.
    virtual uint32_t BackgroundColor() = 0;
    virtual void SetBackgroundColor(uint32_t color) = 0;
    // Plays `items`: picture files of one folder, in order, or one folder.
    virtual void SetSlideshow(const std::vector<std::string>& items) = 0;
    // What the slide show plays (as given to SetSlideshow); empty for none.
    virtual std::vector<std::string> Slideshow() = 0;
    virtual void SetSlideshowOptions(bool shuffle, unsigned intervalMs) = 0;
    // Whether the desktop is set to its slide show rather than one picture.
    virtual bool SlideshowPlaying() = 0;
};

}  // namespace sorvane
