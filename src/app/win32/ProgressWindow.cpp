#include "ProgressWindow.h"

#include <commctrl.h>

#include "Wide.h"
#include "WindowFont.h"

namespace sorvane {

namespace {

constexpr wchar_t ClassName[] = L"SorvaneProgress";

void RegisterOnce() {
    static bool done = false;
    if (done) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_WAIT);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = ClassName;
    RegisterClassExW(&wc);
    done = true;
}

}  // namespace

void ProgressWindow::Load() {
    if (window_) return;
    RegisterOnce();
    const UINT dpi = DpiOf(owner_);
    const int w = Scaled(360, dpi), h = Scaled(100, dpi);
    RECT frame{0, 0, w, h};
    const DWORD style = WS_POPUP | WS_CAPTION;
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
    RECT owner{};
    GetWindowRect(owner_, &owner);
    const int fw = frame.right - frame.left, fh = frame.bottom - frame.top;
    window_ =
        CreateWindowExW(WS_EX_DLGMODALFRAME, ClassName, L"Desktop Sorvane", style,
                        (owner.left + owner.right - fw) / 2, (owner.top + owner.bottom - fh) / 2,
                        fw, fh, owner_, nullptr, GetModuleHandleW(nullptr), nullptr);
    font_ = MessageFont(dpi);
    label_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP,
                             Scaled(12, dpi), Scaled(16, dpi), w - Scaled(24, dpi), Scaled(20, dpi),
                             window_, nullptr, nullptr, nullptr);
    bar_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, Scaled(12, dpi),
                           Scaled(48, dpi), w - Scaled(24, dpi), Scaled(20, dpi), window_, nullptr,
                           nullptr, nullptr);
    SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
}

void ProgressWindow::SetLabel(const std::string& text) {
    Load();
    SetWindowTextW(label_, Wide(text).c_str());
}

void ProgressWindow::SetMaximum(int max) {
    Load();
    SendMessageW(bar_, PBM_SETRANGE32, 0, max);
}

void ProgressWindow::SetValue(int value) {
    Load();
    SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(value), 0);
}

void ProgressWindow::Repaint() {
    if (!window_) return;
    // Paints only: no input reaches the window while the work goes on.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&msg);
    UpdateWindow(window_);
}

void ProgressWindow::Show() {
    Load();
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
}

void ProgressWindow::Hide() {
    if (window_) ShowWindow(window_, SW_HIDE);
}

void ProgressWindow::Unload() {
    if (window_) DestroyWindow(window_);
    window_ = label_ = bar_ = nullptr;
    if (font_) DeleteObject(font_);
    font_ = nullptr;
}

}  // namespace sorvane
