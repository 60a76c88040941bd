#include "SlideshowDesktop.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "page/PageShow.h"
#include "platform/Error.h"
#include "platform/Translate.h"
#include "registry/cRegistry.h"
#include "settings/SettingsKey.h"

namespace fs = std::filesystem;

namespace sorvane {

namespace {

bool SameLetters(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// A page is what a browser would show as one; anything else is a picture or
// a folder of them.
bool IsPage(const std::string& path) {
    const std::string ext = fs::path(path).extension().string();
    return SameLetters(ext, ".html") || SameLetters(ext, ".htm");
}

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

cRegistry OwnValue(const std::shared_ptr<RegistryBackend>& registry, const char* name) {
    cRegistry reg(registry);
    reg.SetClassKey(HKeyCurrentUser);
    reg.SetSectionKey(SettingsRegistryKey);
    reg.SetValueKey(name);
    reg.SetValueType(RegDword);
    return reg;
}

// The page whose copies `items` are: the files of the Sorvane folder beside
// it ("" for anything else).
std::string PageOfItems(const std::vector<std::string>& items) {
    if (items.empty()) return {};
    const fs::path folder = fs::path(items.front()).parent_path();
    for (const std::string& item : items)
        if (fs::path(item).parent_path() != folder) return {};
    if (!SameLetters(folder.filename().string(), "Sorvane")) return {};
    const fs::path page = folder.parent_path() / "Sorvane.html";
    std::error_code ec;
    return fs::is_regular_file(page, ec) ? page.string() : std::string();
}

constexpr char OldPosition[] = "OldPosition";
constexpr char OldBackground[] = "OldBackground";

}  // namespace

SlideshowDesktop::SlideshowDesktop(std::unique_ptr<DesktopSlideshow> slideshow,
                                   std::shared_ptr<RegistryBackend> registry)
    : slideshow_(std::move(slideshow)), registry_(std::move(registry)) {}

std::string SlideshowDesktop::GetWallpaper() {
    if (!slideshow_->SlideshowPlaying()) return slideshow_->Wallpaper();
    const std::vector<std::string> items = slideshow_->Slideshow();
    if (!PageOfItems(items).empty()) return {};
    if (items.empty()) return slideshow_->Wallpaper();
    // The user's own slide show comes back as its folder.
    return IsFolder(items.front()) ? items.front() : fs::path(items.front()).parent_path().string();
}

void SlideshowDesktop::SetWallpaper(const std::string& path) {
    staged_ = path.substr(0, path.find('\0'));
}

void SlideshowDesktop::ApplyChanges(unsigned) {
    if (!staged_) return;
    const std::string path = *staged_;
    staged_.reset();
    if (IsPage(path))
        ShowPage(path);
    else
        Show(path);
}

std::string SlideshowDesktop::ShowNote() {
    return SORVANE_TR("Sorvane",
                      "Windows shows your pictures as its own desktop slide show: one at a time, "
                      "each for the time you chose, with its own fade between them. The page's "
                      "transitions show in Preview.");
}

void SlideshowDesktop::GiveBack(const std::string& oldPaper) {
    Show(oldPaper);
    if (const auto position = Kept(OldPosition)) slideshow_->SetPosition(*position);
    if (const auto color = Kept(OldBackground)) slideshow_->SetBackgroundColor(*color);
}

void SlideshowDesktop::ShowPage(const std::string& pagePath) {
    // Read first: a page that names no pictures changes nothing.
    const PageShow show = ReadPageShow(pagePath);
    KeepPlacing();
    slideshow_->SetSlideshowOptions(false, static_cast<unsigned>(show.IntervalMs));
    // The copies are made for the screen; Fit keeps them whole where the
    // screen is a little larger than its work area.
    slideshow_->SetPosition(DesktopSlideshow::Fit);
    if (show.ColorRgb) {
        const uint32_t rgb = *show.ColorRgb;
        slideshow_->SetBackgroundColor(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | (rgb >> 16));
    }
    slideshow_->SetSlideshow(show.Pictures);
}

void SlideshowDesktop::Show(const std::string& pictureOrFolder) {
    if (IsFolder(pictureOrFolder))
        slideshow_->SetSlideshow({pictureOrFolder});
    else
        slideshow_->SetWallpaper(pictureOrFolder);
}

// Written once, as the old wallpaper is: the desktop as it was before the
// first page, not as an earlier page left it.
void SlideshowDesktop::KeepPlacing() {
    if (!Kept(OldPosition))
        OwnValue(registry_, OldPosition).SetValue(static_cast<int32_t>(slideshow_->GetPosition()));
    if (!Kept(OldBackground))
        OwnValue(registry_, OldBackground)
            .SetValue(static_cast<int32_t>(slideshow_->BackgroundColor()));
}

std::optional<uint32_t> SlideshowDesktop::Kept(const char* name) {
    cRegistry reg = OwnValue(registry_, name);
    const RegistryValue value = reg.Value();
    if (reg.LastReadResult() != RegSuccess || !value.IsNumber()) return std::nullopt;
    return static_cast<uint32_t>(*value.ToNumber());
}

std::string PageOfSlideshow(DesktopSlideshow& slideshow) {
    return slideshow.SlideshowPlaying() ? PageOfItems(slideshow.Slideshow()) : std::string();
}

void UseDesktopSlideshow(Platform& platform,
                         std::function<std::unique_ptr<DesktopSlideshow>()> open,
                         std::shared_ptr<DesktopWindows> desktopWindows) {
    DesktopWording& w = platform.wording;
    w.NotEnabledTitle = SORVANE_TR_NOOP("Sorvane", "Windows Desktop Not Running");
    w.NotEnabledText = SORVANE_TR_NOOP(
        "Sorvane",
        "The Windows desktop is not running, so your pictures may not show on it until it "
        "starts again.");
    w.DisabledTitle = SORVANE_TR_NOOP("Sorvane", "Windows Desktop Not Running");
    w.DisabledText = SORVANE_TR_NOOP(
        "Sorvane",
        "The Windows desktop is not running, so your pictures may not show on it.\r\n\r\nClick "
        "'OK' to open the display settings.");
    w.Requirements = SORVANE_TR_NOOP(
        "Sorvane",
        "On Windows 10 and 11 your pictures become Windows' own desktop slide show, which "
        "changes them with its own fade. The page's transitions show in Preview, in your web "
        "browser.");
    platform.desktopWindows = std::move(desktopWindows);
    platform.newActiveDesktop = [open, registry = platform.registry] {
        std::unique_ptr<DesktopSlideshow> slideshow = open();
        return slideshow ? std::make_unique<SlideshowDesktop>(std::move(slideshow), registry)
                         : nullptr;
    };
    platform.desktopShowsPage = [open](const std::string& pagePath) {
        try {
            const std::unique_ptr<DesktopSlideshow> slideshow = open();
            if (!slideshow) return false;
            const std::string shown = PageOfSlideshow(*slideshow);
            std::error_code ec;
            return !shown.empty() && fs::equivalent(shown, pagePath, ec);
        } catch (const Error&) {
            return false;  // a desktop that can't be asked shows nothing of ours
        }
    };
}

}  // namespace sorvane
