#include "WindowsActiveDesktop.h"

#include <algorithm>

// The shell header declares the Active Desktop interface only after the
// internet header; each in its own block so include sorting keeps the order.
#include <windows.h>

#include <wininet.h>

#include <shlobj.h>

#include "SystemMessage.h"
#include "platform/Error.h"
#include "platform/Translate.h"

namespace sorvane {

namespace {

constexpr UINT WallpaperChars = 260;

[[noreturn]] void Refused(const char* call, HRESULT hr) {
    std::string reason = SystemMessage(static_cast<unsigned long>(hr));
    if (reason.empty())
        reason = TrArg(SORVANE_TR("Sorvane", "error %1"), {std::to_string(static_cast<long>(hr))});
    throw Error(TrArg(SORVANE_TR("Sorvane", "The desktop refused %1: %2"), {call, reason}),
                static_cast<long>(hr));
}

std::wstring Wide(const std::string& text) {
    if (text.empty()) return {};
    const int n =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

std::string Narrow(const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return {};
    std::string narrow(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), n, nullptr, nullptr);
    narrow.pop_back();
    return narrow;
}

}  // namespace

ComApartment::ComApartment() {
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    // S_FALSE joins an apartment the thread was already in and also needs its
    // matching uninitialise; RPC_E_CHANGED_MODE leaves the thread as it was.
    joined_ = SUCCEEDED(hr);
}

ComApartment::~ComApartment() {
    if (joined_) CoUninitialize();
}

std::unique_ptr<WindowsActiveDesktop> WindowsActiveDesktop::Create() {
    auto apartment = std::make_unique<ComApartment>();
    IActiveDesktop* object = nullptr;
    const HRESULT hr = CoCreateInstance(CLSID_ActiveDesktop, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IActiveDesktop, reinterpret_cast<void**>(&object));
    if (FAILED(hr) || !object) Refused("to create its Active Desktop object", hr);
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
    if (FAILED(hr)) Refused("GetWallpaper", hr);
    buffer[WallpaperChars] = L'\0';
    return Narrow(buffer);
}

void WindowsActiveDesktop::SetWallpaper(const std::string& path) {
    const std::wstring wide = Wide(path.substr(0, path.find('\0')));
    const HRESULT hr = object_->SetWallpaper(wide.c_str(), 0);
    if (FAILED(hr)) Refused("SetWallpaper", hr);
}

void WindowsActiveDesktop::ApplyChanges(unsigned flags) {
    const HRESULT hr = object_->ApplyChanges(flags);
    if (FAILED(hr)) Refused("ApplyChanges", hr);
}

}  // namespace sorvane
