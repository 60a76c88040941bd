#include "WindowsDesktopSlideshow.h"

// The desktop wallpaper object is declared for Windows 8 and later only.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0602
#undef NTDDI_VERSION
#define NTDDI_VERSION 0x06020000

#include <windows.h>

#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>

#include "SystemMessage.h"

namespace sorvane {

namespace {

// The shell parses paths with its own separator only.
std::wstring ShellPath(const std::string& path) {
    std::wstring wide = CodePageToWide(path);
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    return wide;
}

// A text the shell allocated, copied and freed.
std::string TakeText(wchar_t* text) {
    std::string copy = text ? WideToCodePage(text) : std::string();
    CoTaskMemFree(text);
    return copy;
}

// One reference to a shell object, released at the end of the scope.
template <class T>
struct Held {
    T* object = nullptr;
    ~Held() {
        if (object) object->Release();
    }
};

// Item lists made from paths, freed together.
struct ItemLists {
    std::vector<PIDLIST_ABSOLUTE> lists;
    ~ItemLists() {
        for (PIDLIST_ABSOLUTE list : lists) CoTaskMemFree(list);
    }
};

}  // namespace

std::unique_ptr<WindowsDesktopSlideshow> WindowsDesktopSlideshow::Create() {
    auto apartment = std::make_unique<ComApartment>();
    IDesktopWallpaper* object = nullptr;
    const HRESULT hr = CoCreateInstance(CLSID_DesktopWallpaper, nullptr, CLSCTX_ALL,
                                        IID_IDesktopWallpaper, reinterpret_cast<void**>(&object));
    if (FAILED(hr) || !object)
        ThrowRefusal("to create its desktop wallpaper object", FAILED(hr) ? hr : E_NOINTERFACE);
    auto slideshow = std::make_unique<WindowsDesktopSlideshow>(object);
    object->Release();  // the wrapper holds its own reference now
    // Released in the destructor's body, the object goes before the apartment.
    slideshow->apartment_ = std::move(apartment);
    return slideshow;
}

WindowsDesktopSlideshow::WindowsDesktopSlideshow(IDesktopWallpaper* object) : object_(object) {
    object_->AddRef();
}

WindowsDesktopSlideshow::~WindowsDesktopSlideshow() { object_->Release(); }

std::string WindowsDesktopSlideshow::Wallpaper() {
    wchar_t* text = nullptr;
    HRESULT hr = object_->GetWallpaper(nullptr, &text);
    if (FAILED(hr)) ThrowRefusal("GetWallpaper", hr);
    std::string all = TakeText(text);
    if (hr == S_OK) return all;
    // The screens differ, or a slide show plays: the first screen's picture.
    UINT count = 0;
    wchar_t* monitor = nullptr;
    if (FAILED(object_->GetMonitorDevicePathCount(&count)) || count == 0 ||
        FAILED(object_->GetMonitorDevicePathAt(0, &monitor)))
        return {};
    text = nullptr;
    hr = object_->GetWallpaper(monitor, &text);
    CoTaskMemFree(monitor);
    std::string first = TakeText(text);
    return SUCCEEDED(hr) ? first : std::string();
}

void WindowsDesktopSlideshow::SetWallpaper(const std::string& picture) {
    if (picture.empty()) {
        // The object is documented for a picture's path only; the system
        // parameter is documented to take "" as no picture.
        wchar_t none[] = L"";
        if (!SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, none,
                                   SPIF_UPDATEINIFILE | SPIF_SENDCHANGE))
            ThrowRefusal("to show no picture", HRESULT_FROM_WIN32(GetLastError()));
        return;
    }
    const HRESULT hr = object_->SetWallpaper(nullptr, ShellPath(picture).c_str());
    if (FAILED(hr)) ThrowRefusal("SetWallpaper", hr);
}

int WindowsDesktopSlideshow::GetPosition() {
    DESKTOP_WALLPAPER_POSITION position = DWPOS_FILL;
    const HRESULT hr = object_->GetPosition(&position);
    if (FAILED(hr)) ThrowRefusal("GetPosition", hr);
    return static_cast<int>(position);
}

void WindowsDesktopSlideshow::SetPosition(int position) {
    const HRESULT hr = object_->SetPosition(static_cast<DESKTOP_WALLPAPER_POSITION>(position));
    if (FAILED(hr)) ThrowRefusal("SetPosition", hr);
}

uint32_t WindowsDesktopSlideshow::BackgroundColor() {
    COLORREF color = 0;
    const HRESULT hr = object_->GetBackgroundColor(&color);
    if (FAILED(hr)) ThrowRefusal("GetBackgroundColor", hr);
    return color;
}

void WindowsDesktopSlideshow::SetBackgroundColor(uint32_t color) {
    const HRESULT hr = object_->SetBackgroundColor(color);
    if (FAILED(hr)) ThrowRefusal("SetBackgroundColor", hr);
}

void WindowsDesktopSlideshow::SetSlideshow(const std::vector<std::string>& items) {
    ItemLists made;
    for (const std::string& item : items) {
        PIDLIST_ABSOLUTE list = nullptr;
        const HRESULT hr = SHParseDisplayName(ShellPath(item).c_str(), nullptr, &list, 0, nullptr);
        if (FAILED(hr)) ThrowRefusal(("to find \"" + item + "\"").c_str(), hr);
        made.lists.push_back(list);
    }
    Held<IShellItemArray> array;
    HRESULT hr = SHCreateShellItemArrayFromIDLists(
        static_cast<UINT>(made.lists.size()),
        const_cast<PCIDLIST_ABSOLUTE_ARRAY>(made.lists.data()), &array.object);
    if (FAILED(hr)) ThrowRefusal("SHCreateShellItemArrayFromIDLists", hr);
    hr = object_->SetSlideshow(array.object);
    if (FAILED(hr)) ThrowRefusal("SetSlideshow", hr);
}

std::vector<std::string> WindowsDesktopSlideshow::Slideshow() {
    Held<IShellItemArray> array;
    HRESULT hr = object_->GetSlideshow(&array.object);
    if (FAILED(hr)) ThrowRefusal("GetSlideshow", hr);
    std::vector<std::string> items;
    DWORD count = 0;
    if (!array.object || FAILED(array.object->GetCount(&count))) return items;
    for (DWORD i = 0; i < count; ++i) {
        Held<IShellItem> item;
        wchar_t* path = nullptr;
        if (SUCCEEDED(array.object->GetItemAt(i, &item.object)) &&
            SUCCEEDED(item.object->GetDisplayName(SIGDN_FILESYSPATH, &path)))
            items.push_back(TakeText(path));
    }
    return items;
}

void WindowsDesktopSlideshow::SetSlideshowOptions(bool shuffle, unsigned intervalMs) {
    const HRESULT hr = object_->SetSlideshowOptions(
        shuffle ? DSO_SHUFFLEIMAGES : static_cast<DESKTOP_SLIDESHOW_OPTIONS>(0), intervalMs);
    if (FAILED(hr)) ThrowRefusal("SetSlideshowOptions", hr);
}

bool WindowsDesktopSlideshow::SlideshowPlaying() {
    DESKTOP_SLIDESHOW_STATE state{};
    const HRESULT hr = object_->GetStatus(&state);
    if (FAILED(hr)) ThrowRefusal("GetStatus", hr);
    return (state & DSS_SLIDESHOW) != 0;
}

}  // namespace sorvane
