#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/DesktopSlideshow.h"
#include "platform/Platform.h"

namespace sorvane {

class RegistryBackend;

// The desktop of a system that shows no page but plays its own slide show
// (Windows 8 and later). A page set as the wallpaper becomes that slide show:
// the page's prepared copies in the page's order, each for the page's time,
// fitted on the page's colour. The placing and colour the desktop had before
// are kept once, beside the old wallpaper, and given back with it.
class SlideshowDesktop : public ActiveDesktop {
  public:
    SlideshowDesktop(std::unique_ptr<DesktopSlideshow> slideshow,
                     std::shared_ptr<RegistryBackend> registry);

    // The picture shown now; for a slide show of the user's own, its folder;
    // for the page's own slide show "" (what it replaced is already kept).
    std::string GetWallpaper() override;
    // Stages the path, up to a NUL as callers of the platform's object end it.
    void SetWallpaper(const std::string& path) override;
    // Shows what is staged: a page as its slide show, "" as no picture, and
    // any other path as it is (a picture, or a folder as a slide show).
    void ApplyChanges(unsigned flags) override;
    std::string ShowNote() override;
    void GiveBack(const std::string& oldPaper) override;

  private:
    void ShowPage(const std::string& pagePath);
    void Show(const std::string& pictureOrFolder);
    void KeepPlacing();
    std::optional<uint32_t> Kept(const char* name);

    std::unique_ptr<DesktopSlideshow> slideshow_;
    std::shared_ptr<RegistryBackend> registry_;
    std::optional<std::string> staged_;
};

// The page whose prepared copies `slideshow` plays ("" when it plays none, or
// pictures of something else).
std::string PageOfSlideshow(DesktopSlideshow& slideshow);

// Makes the platform's desktop the system's own slide show: its objects come
// from `open` (which throws sorvane::Error when the system refuses), its test
// for a running desktop from `desktopWindows`, and its texts say what it shows.
// Call it once the platform's registry is set: the slide show keeps its
// earlier placing there.
void UseDesktopSlideshow(Platform& platform,
                         std::function<std::unique_ptr<DesktopSlideshow>()> open,
                         std::shared_ptr<DesktopWindows> desktopWindows);

}  // namespace sorvane
