#include "PageBackground.h"

#include <uxtheme.h>
#include <vssym32.h>

namespace sorvane {

void PageBackground::Release() {
    if (brush_) DeleteObject(brush_);
    brush_ = nullptr;
}

void PageBackground::Rebuild(HWND tabs) {
    Release();
    tabs_ = tabs;
    HTHEME theme = OpenThemeData(tabs, L"TAB");
    if (!theme) return;  // unthemed: the window's own background is the page's
    RECT area{};
    GetClientRect(tabs, &area);
    HDC screen = GetDC(tabs);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, area.right, area.bottom);
    HGDIOBJ old = SelectObject(dc, bitmap);
    DrawThemeBackground(theme, dc, TABP_BODY, 0, &area, nullptr);
    SelectObject(dc, old);
    brush_ = CreatePatternBrush(bitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(tabs, screen);
    CloseThemeData(theme);
}

HBRUSH PageBackground::For(HWND control, HDC dc) const {
    if (!brush_) return nullptr;
    POINT origin{0, 0};
    MapWindowPoints(control, tabs_, &origin, 1);
    SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
    SetBkMode(dc, TRANSPARENT);
    return brush_;
}

}  // namespace sorvane
