#include "WindowsActiveDesktop.h"

#include <algorithm>

// The shell header declares the Active Desktop interface only after the
// internet header; each in its own block so include sorting keeps the order.
#include <windows.h>

#include <wininet.h>

#include <shlobj.h>

#include "SystemMessage.h"

namespace sorvane {

namespace {

constexpr UINT WallpaperChars = 260;

}  // namespace

std::unique_ptr<WindowsActiveDesktop> WindowsActiveDesktop::Create() {
    auto apartment = std::make_unique<ComApartment>();
    IActiveDesktop* object = nullptr;
    const HRESULT hr = CoCreateInstance(CLSID_ActiveDesktop, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IActiveDesktop, reinterpret_cast<void**>(&object));
    if (FAILED(hr) || !object) ThrowRefusal("to create its Active Desktop object", hr);
    auto desktop = std::make_unique<WindowsActiveDesktop>(object);
    object->Release();  // the wrapper holds its own reference now
    // Released in the destructor's body, the object goes before the apartment.
    desktop->apartment_ = std::move(apartment);
    return desktop;
}

WindowsActiveDesktop::WindowsActiveDesktop(IActiveDesktop* object) : object_(object) {
    object_->AddRef();
}

WindowsActiveDesktop::~WindowsActiveDesktop() { object_->Release(); }

std::string WindowsActiveDesktop::GetWallpaper() {
    // Blank-filled, so a call that writes nothing reads as blanks up to the end.
    wchar_t buffer[WallpaperChars + 1];
    std::fill(buffer, buffer + WallpaperChars, L' ');
    buffer[WallpaperChars] = L'\0';
    const HRESULT hr = object_->GetWallpaper(buffer, WallpaperChars, 0);
    if (FAILED(hr)) ThrowRefusal("GetWallpaper", hr);
    buffer[WallpaperChars] = L'\0';
    return WideToCodePage(buffer);
}

void WindowsActiveDesktop::SetWallpaper(const std::string& path) {
    const std::wstring wide = CodePageToWide(path.substr(0, path.find('\0')));
    const HRESULT hr = object_->SetWallpaper(wide.c_str(), 0);
    if (FAILED(hr)) ThrowRefusal("SetWallpaper", hr);
}

void WindowsActiveDesktop::ApplyChanges(unsigned flags) {
    const HRESULT hr = object_->ApplyChanges(flags);
    if (FAILED(hr)) ThrowRefusal("ApplyChanges", hr);
}

}  // namespace sorvane
