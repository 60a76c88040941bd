// Windows' own desktop slide show through a double of the shell's wallpaper
// object: Wine has none, and the real one would change this desktop.
#include <gtest/gtest.h>

#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0602
#undef NTDDI_VERSION
#define NTDDI_VERSION 0x06020000

#include <windows.h>

#include <shlobj.h>
#include <shobjidl.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "platform/windows/WindowsDesktopSlideshow.h"

namespace sorvane::test {
namespace {

wchar_t* ShellText(const std::wstring& text) {
    auto* copy = static_cast<wchar_t*>(CoTaskMemAlloc((text.size() + 1) * sizeof(wchar_t)));
    lstrcpyW(copy, text.c_str());
    return copy;
}

class WallpaperDouble : public IDesktopWallpaper {
  public:
    std::wstring all = L"C:\\Users\\ann\\bliss.jpg";  // "" with S_FALSE: screens differ
    std::wstring firstScreen = L"C:\\Users\\ann\\left.jpg";
    std::wstring set;
    std::vector<std::wstring> slideshow;
    UINT tick = 0;
    DESKTOP_SLIDESHOW_OPTIONS options = DSO_SHUFFLEIMAGES;
    HRESULT answer = S_OK;
    ULONG references = 1;

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDesktopWallpaper)) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override { return --references; }

    STDMETHODIMP SetWallpaper(LPCWSTR monitor, LPCWSTR wallpaper) override {
        if (monitor) return E_INVALIDARG;
        set = wallpaper;
        return answer;
    }
    STDMETHODIMP GetWallpaper(LPCWSTR monitor, LPWSTR* wallpaper) override {
        if (FAILED(answer)) return answer;
        if (monitor) {
            *wallpaper = ShellText(lstrcmpW(monitor, L"\\\\?\\DISPLAY#1") == 0 ? firstScreen : L"");
            return S_OK;
        }
        *wallpaper = ShellText(all);
        return all.empty() ? S_FALSE : S_OK;
    }
    STDMETHODIMP GetMonitorDevicePathAt(UINT index, LPWSTR* monitor) override {
        *monitor = ShellText(L"\\\\?\\DISPLAY#" + std::to_wstring(index + 1));
        return S_OK;
    }
    STDMETHODIMP GetMonitorDevicePathCount(UINT* count) override {
        *count = 2;
        return S_OK;
    }
    STDMETHODIMP GetMonitorRECT(LPCWSTR, RECT*) override { return E_NOTIMPL; }
    STDMETHODIMP SetBackgroundColor(COLORREF) override { return answer; }
    STDMETHODIMP GetBackgroundColor(COLORREF* color) override {
        *color = RGB(0x11, 0x22, 0x33);
        return answer;
    }
    STDMETHODIMP SetPosition(DESKTOP_WALLPAPER_POSITION) override { return answer; }
    STDMETHODIMP GetPosition(DESKTOP_WALLPAPER_POSITION* position) override {
        *position = DWPOS_SPAN;
        return answer;
    }
    STDMETHODIMP SetSlideshow(IShellItemArray* items) override {
        if (FAILED(answer)) return answer;
        slideshow.clear();
        DWORD count = 0;
        items->GetCount(&count);
        for (DWORD i = 0; i < count; ++i) {
            IShellItem* item = nullptr;
            wchar_t* path = nullptr;
            items->GetItemAt(i, &item);
            item->GetDisplayName(SIGDN_FILESYSPATH, &path);
            slideshow.push_back(path);
            CoTaskMemFree(path);
            item->Release();
        }
        return S_OK;
    }
    STDMETHODIMP GetSlideshow(IShellItemArray** items) override {
        std::vector<PIDLIST_ABSOLUTE> lists;
        for (const std::wstring& path : slideshow) lists.push_back(ILCreateFromPathW(path.c_str()));
        const HRESULT hr = SHCreateShellItemArrayFromIDLists(
            static_cast<UINT>(lists.size()), const_cast<PCIDLIST_ABSOLUTE_ARRAY>(lists.data()),
            items);
        for (PIDLIST_ABSOLUTE list : lists) ILFree(list);
        return hr;
    }
    STDMETHODIMP SetSlideshowOptions(DESKTOP_SLIDESHOW_OPTIONS o, UINT t) override {
        options = o;
        tick = t;
        return answer;
    }
    STDMETHODIMP GetSlideshowOptions(DESKTOP_SLIDESHOW_OPTIONS*, UINT*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP AdvanceSlideshow(LPCWSTR, DESKTOP_SLIDESHOW_DIRECTION) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP GetStatus(DESKTOP_SLIDESHOW_STATE* state) override {
        *state = slideshow.empty() ? DSS_ENABLED : DSS_ENABLED | DSS_SLIDESHOW;
        return answer;
    }
    STDMETHODIMP Enable(BOOL) override { return E_NOTIMPL; }
};

// Real files, since the shell finds each picture before it takes it.
struct Pictures {
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("sorvane-slides-" + std::to_string(GetCurrentProcessId()));
    Pictures() {
        std::filesystem::create_directories(folder / "Sorvane");
        for (const char* name : {"b.jpg", "a b.jpg"})
            std::ofstream(folder / "Sorvane" / name) << "x";
    }
    ~Pictures() { std::filesystem::remove_all(folder); }
    // As the page names them, with "/" after the folder.
    std::string Named(const char* name) const { return folder.string() + "/Sorvane/" + name; }
    std::wstring Shell(const char* name) const { return (folder / "Sorvane" / name).wstring(); }
};

TEST(WindowsDesktopSlideshow, PicturesAndOptionsReachTheShellAsItemsInOrder) {
    Pictures pictures;
    WallpaperDouble shell;
    {
        WindowsDesktopSlideshow slideshow(&shell);
        EXPECT_EQ(shell.references, 2u);
        EXPECT_FALSE(slideshow.SlideshowPlaying());
        slideshow.SetSlideshow({pictures.Named("b.jpg"), pictures.Named("a b.jpg")});
        EXPECT_EQ(shell.slideshow,
                  (std::vector<std::wstring>{pictures.Shell("b.jpg"), pictures.Shell("a b.jpg")}));
        EXPECT_TRUE(slideshow.SlideshowPlaying());
        // Read back as the shell names them.
        EXPECT_EQ(slideshow.Slideshow().size(), 2u);
        EXPECT_EQ(std::filesystem::path(slideshow.Slideshow()[1]),
                  pictures.folder / "Sorvane" / "a b.jpg");

        slideshow.SetSlideshowOptions(false, 9000);
        EXPECT_EQ(shell.options, 0);
        EXPECT_EQ(shell.tick, 9000u);
        EXPECT_EQ(slideshow.GetPosition(), DesktopSlideshow::Span);
        EXPECT_EQ(slideshow.BackgroundColor(), 0x00332211u);
        slideshow.SetWallpaper("C:/Users/ann/bliss.jpg");
        EXPECT_EQ(shell.set, L"C:\\Users\\ann\\bliss.jpg");
    }
    EXPECT_EQ(shell.references, 1u) << "the wrapper gave its reference back";
}

TEST(WindowsDesktopSlideshow, TheWallpaperIsTheFirstScreensWhenTheScreensDiffer) {
    WallpaperDouble shell;
    WindowsDesktopSlideshow slideshow(&shell);
    EXPECT_EQ(slideshow.Wallpaper(), "C:\\Users\\ann\\bliss.jpg");
    shell.all.clear();
    EXPECT_EQ(slideshow.Wallpaper(), "C:\\Users\\ann\\left.jpg");
}

TEST(WindowsDesktopSlideshow, RefusalsAndMissingPicturesBecomeErrors) {
    WallpaperDouble shell;
    WindowsDesktopSlideshow slideshow(&shell);
    try {
        slideshow.SetSlideshow({"C:/no such folder/Sorvane/a.jpg"});
        ADD_FAILURE() << "a missing picture was taken";
    } catch (const Error& e) {
        EXPECT_NE(e.Description().find("no such folder"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(shell.slideshow.empty());
    shell.answer = E_ACCESSDENIED;
    for (auto call : {+[](WindowsDesktopSlideshow& s) { s.SetWallpaper("C:/x.jpg"); },
                      +[](WindowsDesktopSlideshow& s) { s.SetPosition(DesktopSlideshow::Fit); },
                      +[](WindowsDesktopSlideshow& s) { s.SetSlideshowOptions(false, 500); },
                      +[](WindowsDesktopSlideshow& s) { s.SlideshowPlaying(); }}) {
        try {
            call(slideshow);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(e.Number, static_cast<long>(E_ACCESSDENIED));
        }
    }
}

// The shell's own object is made or refused cleanly; Wine has none.
TEST(WindowsDesktopSlideshow, TheShellsObjectIsMadeOrRefusedCleanly) {
    try {
        WindowsDesktopSlideshow::Create();
    } catch (const Error& e) {
        EXPECT_LT(e.Number, 0) << e.what();
    }
}

}  // namespace
}  // namespace sorvane::test
