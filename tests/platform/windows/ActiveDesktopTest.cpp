// The Active Desktop object through a double of the shell's interface: the
// shell's own object answers "not implemented" under Wine and would change
// the real desktop elsewhere.
#include <gtest/gtest.h>

#include <windows.h>

#include <wininet.h>

#include <shlobj.h>

#include <string>
#include <vector>

#include "platform/Error.h"
#include "platform/windows/WindowsActiveDesktop.h"

namespace sorvane::test {
namespace {

class DesktopDouble : public IActiveDesktop {
  public:
    std::vector<std::string> calls;
    std::wstring wallpaper = L"C:\\WINDOWS\\Web\\Wallpaper\\Bliss.bmp";
    bool writeNothing = false;
    HRESULT answer = S_OK;
    ULONG references = 1;

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IActiveDesktop)) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override { return --references; }

    STDMETHODIMP ApplyChanges(DWORD flags) override {
        calls.push_back("ApplyChanges " + std::to_string(flags));
        return answer;
    }
    STDMETHODIMP GetWallpaper(PWSTR buffer, UINT chars, DWORD flags) override {
        bool blank = true;
        for (UINT i = 0; i < chars; ++i) blank = blank && buffer[i] == L' ';
        calls.push_back("GetWallpaper " + std::to_string(chars) + " " + std::to_string(flags) +
                        (blank ? " blank" : " dirty"));
        if (FAILED(answer)) return answer;
        if (!writeNothing) lstrcpynW(buffer, wallpaper.c_str(), static_cast<int>(chars));
        return S_OK;
    }
    STDMETHODIMP SetWallpaper(PCWSTR path, DWORD reserved) override {
        const std::wstring wide(path);
        std::string bytes;
        for (wchar_t c : wide) bytes += c < 0x80 ? static_cast<char>(c) : '?';
        calls.push_back("SetWallpaper " + bytes + " " + std::to_string(reserved));
        wallpaper = wide;
        return answer;
    }
    STDMETHODIMP GetWallpaperOptions(LPWALLPAPEROPT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SetWallpaperOptions(LPCWALLPAPEROPT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetPattern(PWSTR, UINT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SetPattern(PCWSTR, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetDesktopItemOptions(LPCOMPONENTSOPT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SetDesktopItemOptions(LPCCOMPONENTSOPT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP AddDesktopItem(LPCCOMPONENT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP AddDesktopItemWithUI(HWND, LPCOMPONENT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP ModifyDesktopItem(LPCCOMPONENT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP RemoveDesktopItem(LPCCOMPONENT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetDesktopItemCount(int*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetDesktopItem(int, LPCOMPONENT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetDesktopItemByID(ULONG_PTR, LPCOMPONENT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GenerateDesktopItemHtml(PCWSTR, LPCOMPONENT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP AddUrl(HWND, PCWSTR, LPCOMPONENT, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetDesktopItemBySource(PCWSTR, LPCOMPONENT, DWORD) override { return E_NOTIMPL; }
};

TEST(WindowsActiveDesktop, InstallsAPageAsTheCallsArePassed) {
    DesktopDouble shell;
    {
        WindowsActiveDesktop desktop(&shell);
        EXPECT_EQ(shell.references, 2u);
        EXPECT_EQ(desktop.GetWallpaper(), "C:\\WINDOWS\\Web\\Wallpaper\\Bliss.bmp");
        // The page path comes with one NUL after it; the object gets the text.
        desktop.SetWallpaper(std::string("C:\\My Pictures\\Sorvane.html") + '\0');
        desktop.ApplyChanges(ActiveDesktop::ApplyAll);
        EXPECT_EQ(desktop.GetWallpaper(), "C:\\My Pictures\\Sorvane.html");
        desktop.SetWallpaper("");
    }
    EXPECT_EQ(shell.references, 1u) << "the wrapper gave its reference back";
    EXPECT_EQ(shell.calls, (std::vector<std::string>{
                               "GetWallpaper 260 0 blank",
                               "SetWallpaper C:\\My Pictures\\Sorvane.html 0",
                               "ApplyChanges 7",
                               "GetWallpaper 260 0 blank",
                               "SetWallpaper  0",
                           }));
}

TEST(WindowsActiveDesktop, TextsPassInTheSystemCodePage) {
    if (GetACP() != 1252) GTEST_SKIP() << "code page " << GetACP();
    DesktopDouble shell;
    WindowsActiveDesktop desktop(&shell);
    desktop.SetWallpaper("C:\\Photos\\\xE9t\xE9.html");
    EXPECT_EQ(shell.wallpaper, L"C:\\Photos\\\u00E9t\u00E9.html");
    EXPECT_EQ(desktop.GetWallpaper(), "C:\\Photos\\\xE9t\xE9.html");
}

TEST(WindowsActiveDesktop, AWallpaperNotWrittenReadsAsTheBlankBuffer) {
    DesktopDouble shell;
    shell.writeNothing = true;
    EXPECT_EQ(WindowsActiveDesktop(&shell).GetWallpaper(), std::string(260, ' '));
}

TEST(WindowsActiveDesktop, RefusalsBecomeErrorsOfTheCommand) {
    DesktopDouble shell;
    shell.answer = E_ACCESSDENIED;
    WindowsActiveDesktop desktop(&shell);
    for (auto call : {+[](WindowsActiveDesktop& d) { d.GetWallpaper(); },
                      +[](WindowsActiveDesktop& d) { d.SetWallpaper("x"); },
                      +[](WindowsActiveDesktop& d) { d.ApplyChanges(7); }}) {
        try {
            call(desktop);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(e.Number, static_cast<long>(E_ACCESSDENIED));
            EXPECT_NE(e.Description().find("The desktop refused"), std::string::npos);
        }
    }
    EXPECT_EQ(shell.calls.size(), 3u) << "one attempt each, no retry";
}

bool UnderWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// The shell's own object, only read from: creating it works or fails with an
// error, never a crash; Wine's answers "not implemented".
TEST(WindowsActiveDesktop, TheShellsObjectAnswersOrRefusesCleanly) {
    std::unique_ptr<WindowsActiveDesktop> desktop;
    try {
        desktop = WindowsActiveDesktop::Create();
    } catch (const Error& e) {
        EXPECT_LT(e.Number, 0) << e.what();
        return;
    }
    ASSERT_TRUE(desktop);
    try {
        desktop->GetWallpaper();
        EXPECT_FALSE(UnderWine()) << "Wine's object has no wallpaper";
    } catch (const Error& e) {
        if (UnderWine()) {
            EXPECT_EQ(e.Number, static_cast<long>(E_NOTIMPL)) << e.what();
        }
    }
}

}  // namespace
}  // namespace sorvane::test
