#include "ColourChoice.h"

#include <commdlg.h>

#include <cstdio>

#include "Wide.h"
#include "platform/SystemColors.h"

namespace sorvane {

namespace {

// Item data of "Other Color..."; no OLE colour has this high byte.
constexpr LPARAM OtherColour = 0x7F000000;

std::wstring NameOf(uint32_t ole) {
    if ((ole >> 24) == 0x80 && (ole & 0xFFFFFFu) < static_cast<uint32_t>(SystemColorCount))
        return Wide(std::string(DefaultSystemColors()[ole & 0xFFFFFFu].Name));
    wchar_t name[8];
    std::swprintf(name, 8, L"#%02X%02X%02X", ole & 0xFF, (ole >> 8) & 0xFF, (ole >> 16) & 0xFF);
    return name;
}

int Count(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0)); }

LPARAM DataAt(HWND combo, int index) {
    return static_cast<LPARAM>(SendMessageW(combo, CB_GETITEMDATA, index, 0));
}

int Insert(HWND combo, int at, const std::wstring& text, LPARAM data) {
    const auto index = static_cast<int>(
        SendMessageW(combo, CB_INSERTSTRING, at, reinterpret_cast<LPARAM>(text.c_str())));
    SendMessageW(combo, CB_SETITEMDATA, index, data);
    return index;
}

}  // namespace

ColourChoice::ColourChoice(HWND combo, ColorTranslator& colors)
    : combo_(combo), colors_(colors), shown_(OleDesktopColor) {
    for (int i = 0; i < SystemColorCount; ++i)
        Insert(combo_, -1, NameOf(0x80000000u | i), static_cast<LPARAM>(0x80000000u | i));
    Insert(combo_, -1, L"Other Color...", OtherColour);
    Show(shown_);
}

void ColourChoice::Show(uint32_t oleColor) {
    shown_ = oleColor;
    // A colour that is no system colour has its own entry, before "Other Color...".
    const int other = Count(combo_) - 1;
    if (other > SystemColorCount) SendMessageW(combo_, CB_DELETESTRING, SystemColorCount, 0);
    int index = -1;
    for (int i = 0; i < SystemColorCount; ++i)
        if (static_cast<uint32_t>(DataAt(combo_, i)) == oleColor) index = i;
    if (index < 0) index = Insert(combo_, SystemColorCount, NameOf(oleColor), oleColor);
    SendMessageW(combo_, CB_SETCURSEL, index, 0);
}

std::optional<uint32_t> ColourChoice::Chosen(HWND owner) {
    const auto index = static_cast<int>(SendMessageW(combo_, CB_GETCURSEL, 0, 0));
    if (index < 0) return std::nullopt;
    const LPARAM data = DataAt(combo_, index);
    std::optional<uint32_t> chosen;
    if (data != OtherColour) {
        if (static_cast<uint32_t>(data) != shown_) chosen = static_cast<uint32_t>(data);
    } else {
        // The box shows the colour until the dialog says otherwise.
        Show(shown_);
        CHOOSECOLORW dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = owner;
        dialog.rgbResult = colors_.Translate(shown_).value_or(0);
        dialog.lpCustColors = custom_;
        dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
        if (ChooseColorW(&dialog)) chosen = static_cast<uint32_t>(dialog.rgbResult) & 0xFFFFFFu;
    }
    Show(shown_);
    return chosen;
}

void ColourChoice::Draw(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT text = item.rcItem;
    const int h = text.bottom - text.top;
    text.left += 4;
    if (static_cast<LPARAM>(item.itemData) != OtherColour) {
        // The swatch in the running desktop's value of the colour.
        RECT swatch{text.left, text.top + 2, text.left + 2 * (h - 4), text.bottom - 2};
        HBRUSH fill =
            CreateSolidBrush(colors_.Translate(static_cast<uint32_t>(item.itemData)).value_or(0));
        FillRect(dc, &swatch, fill);
        DeleteObject(fill);
        FrameRect(dc, &swatch, GetSysColorBrush(COLOR_BTNSHADOW));
        text.left = swatch.right + 6;
    }
    wchar_t name[64] = L"";
    if (SendMessageW(combo_, CB_GETLBTEXTLEN, item.itemID, 0) < 64)
        SendMessageW(combo_, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(name));
    DrawTextW(dc, name, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &item.rcItem);
}

}  // namespace sorvane
