#include "WindowFont.h"

#include <string>

namespace sorvane {

UINT DpiOf(HWND window) {
    // Looked up at run time: older systems lack the call.
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto get = reinterpret_cast<DpiForWindow>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const UINT dpi = get && window ? get(window) : 0;
    if (dpi) return dpi;
    HDC screen = GetDC(nullptr);
    const int fromScreen = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return fromScreen > 0 ? static_cast<UINT>(fromScreen) : 96;
}

HFONT MessageFont(UINT dpi, int points, bool serif) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    // The system reports the font at its own DPI; the window may be on another monitor.
    HDC screen = GetDC(nullptr);
    const int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (font.lfHeight == 0) font.lfHeight = -12;
    font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), systemDpi > 0 ? systemDpi : 96);
    if (points) font.lfHeight -= MulDiv(points, static_cast<int>(dpi), 72);
    if (serif) {
        lstrcpynW(font.lfFaceName, L"Times New Roman", LF_FACESIZE);
        font.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    }
    return CreateFontIndirectW(&font);
}

SIZE TextSize(HWND control, const wchar_t* text) {
    std::wstring shown;
    if (!text) {
        shown.resize(static_cast<size_t>(GetWindowTextLengthW(control)) + 1);
        shown.resize(static_cast<size_t>(
            GetWindowTextW(control, shown.data(), static_cast<int>(shown.size()))));
        text = shown.c_str();
    }
    RECT area{};
    HDC dc = GetDC(control);
    auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    // Measured as labels draw their text.
    DrawTextW(dc, text, -1, &area, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    if (old) SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {area.right, area.bottom};
}

}  // namespace sorvane
