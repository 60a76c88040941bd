#include "LinkLabel.h"

#include <commctrl.h>

#include <string>

namespace sorvane {

namespace {

constexpr wchar_t ClassName[] = L"SorvaneLink";
// The window's extra bytes: its font, then the colour of its caption.
constexpr int FontSlot = 0;
constexpr int ColourSlot = sizeof(LONG_PTR);

void Tell(HWND link, UINT code) {
    NMHDR header{};
    header.hwndFrom = link;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(link));
    header.code = code;
    SendMessageW(GetParent(link), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void Paint(HWND link) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(link, &paint);
    RECT area{};
    GetClientRect(link, &area);
    // The parent paints the page behind its labels; this is one of them.
    auto background = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(link), WM_CTLCOLORSTATIC,
                                                            reinterpret_cast<WPARAM>(dc),
                                                            reinterpret_cast<LPARAM>(link)));
    FillRect(dc, &area, background ? background : GetSysColorBrush(COLOR_BTNFACE));

    const int length = GetWindowTextLengthW(link);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(link, text.data(), length + 1);
    auto font = reinterpret_cast<HFONT>(GetWindowLongPtrW(link, FontSlot));
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, static_cast<COLORREF>(GetWindowLongPtrW(link, ColourSlot)));
    RECT caption = area;
    InflateRect(&caption, -LinkLabelMargin, -LinkLabelMargin);
    DrawTextW(dc, text.c_str(), length, &caption, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    if (oldFont) SelectObject(dc, oldFont);

    // The mark shows once the keyboard is in use, as on buttons.
    const auto cues = SendMessageW(link, WM_QUERYUISTATE, 0, 0);
    if (GetFocus() == link && !(cues & UISF_HIDEFOCUS)) DrawFocusRect(dc, &area);
    EndPaint(link, &paint);
}

LRESULT CALLBACK Procedure(HWND link, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_CREATE:
            SetWindowLongPtrW(link, ColourSlot, static_cast<LONG_PTR>(GetSysColor(COLOR_BTNTEXT)));
            return 0;
        case WM_SETFONT:
            SetWindowLongPtrW(link, FontSlot, static_cast<LONG_PTR>(w));
            if (LOWORD(l)) InvalidateRect(link, nullptr, TRUE);
            return 0;
        case WM_GETFONT:
            return GetWindowLongPtrW(link, FontSlot);
        case WM_SETTEXT: {
            const LRESULT done = DefWindowProcW(link, message, w, l);
            InvalidateRect(link, nullptr, TRUE);
            return done;
        }
        case WM_ERASEBKGND:
            return 1;  // painted whole in WM_PAINT
        case WM_PAINT:
            Paint(link);
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_UPDATEUISTATE:
            InvalidateRect(link, nullptr, FALSE);
            break;
        case WM_GETDLGCODE:
            // Enter comes here rather than to the dialog's default button.
            if (l && reinterpret_cast<const MSG*>(l)->message == WM_KEYDOWN &&
                reinterpret_cast<const MSG*>(l)->wParam == VK_RETURN)
                return DLGC_WANTMESSAGE;
            return 0;
        case WM_KEYDOWN:
            // Held keys repeat: one press opens the link once.
            if ((w == VK_RETURN || w == VK_SPACE) && !(l & (1 << 30)))
                Tell(link, w == VK_RETURN ? NM_RETURN : NM_CLICK);
            if (w == VK_RETURN || w == VK_SPACE) return 0;
            break;
        case WM_LBUTTONDOWN:
            SetFocus(link);
            SetCapture(link);
            return 0;
        case WM_LBUTTONUP:
            // A click counts where the button is let go over the link.
            if (GetCapture() == link) {
                ReleaseCapture();
                RECT area{};
                GetClientRect(link, &area);
                const POINT at{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
                if (PtInRect(&area, at)) Tell(link, NM_CLICK);
            }
            return 0;
    }
    return DefWindowProcW(link, message, w, l);
}

}  // namespace

const wchar_t* LinkLabelClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = Procedure;
        wc.cbWndExtra = 2 * sizeof(LONG_PTR);
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_HAND);
        wc.lpszClassName = ClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
    return ClassName;
}

void SetLinkColour(HWND link, COLORREF colour) {
    if (static_cast<COLORREF>(GetWindowLongPtrW(link, ColourSlot)) == colour) return;
    SetWindowLongPtrW(link, ColourSlot, static_cast<LONG_PTR>(colour));
    InvalidateRect(link, nullptr, FALSE);
}

}  // namespace sorvane
