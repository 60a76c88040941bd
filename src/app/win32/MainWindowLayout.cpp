// The controls and where they stand, at 96 dots per inch.
#include "Win32.h"

#include <commctrl.h>
#include <oleacc.h>

#include "AccessibleName.h"
#include "ControlIds.h"
#include "LinkLabel.h"
#include "MainWindow.h"
#include "Wide.h"
#include "WindowFont.h"
#include "app/AboutPage.h"
#include "settings/SlideshowSettings.h"

namespace sorvane {

namespace {

constexpr DWORD Child = WS_CHILD | WS_VISIBLE;
constexpr DWORD Button = Child | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD Label = Child | SS_LEFT | SS_NOPREFIX;
constexpr DWORD PageText = Label | SS_NOTIFY;

std::wstring SiteCaption() {
    std::string site(about::Site);
    for (const char* scheme : {"https://", "http://"})
        if (site.rfind(scheme, 0) == 0) site.erase(0, std::string(scheme).size());
    return Wide(site);
}

}  // namespace

HWND MainWindow::Add(const wchar_t* cls, const wchar_t* text, DWORD style, int id, RECT at,
                     int page, DWORD exStyle) {
    HWND control = CreateWindowExW(exStyle, cls, text, style, 0, 0, 0, 0, window_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    placed_.push_back({control, at, page});
    return control;
}

// Created in tab order. A caption comes just before its control, which is where
// keyboard users and screen readers look for the control's name.
void MainWindow::CreateControls() {
    tabs_ = Add(WC_TABCONTROLW, L"", Child | WS_TABSTOP | WS_CLIPSIBLINGS, ids::Tabs,
                {10, 10, 560, 392}, 0);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(L"Settings");
    SendMessageW(tabs_, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    item.pszText = const_cast<wchar_t*>(L"About");
    SendMessageW(tabs_, TCM_INSERTITEMW, 1, reinterpret_cast<LPARAM>(&item));

    // Settings: the list and its buttons on the left, preview and options on the right.
    Add(L"STATIC", L"Pictures:", Label, -1, {24, 42, 264, 58}, 1);
    list_ =
        Add(L"LISTBOX", L"",
            Child | WS_TABSTOP | WS_VSCROLL | LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
            ids::List, {24, 60, 264, 300}, 1, WS_EX_CLIENTEDGE);
    add_ = Add(L"BUTTON", L"Add Picture", Button, ids::Add, {24, 308, 140, 332}, 1);
    addFolder_ = Add(L"BUTTON", L"Add Folder", Button, ids::AddFolder, {148, 308, 264, 332}, 1);
    remove_ = Add(L"BUTTON", L"Remove Selected", Button | WS_DISABLED, ids::Remove,
                  {24, 338, 140, 362}, 1);
    moveUp_ = Add(L"BUTTON", L"\u25B2", Button | WS_DISABLED, ids::MoveUp, {148, 338, 184, 362}, 1);
    moveDown_ =
        Add(L"BUTTON", L"\u25BC", Button | WS_DISABLED, ids::MoveDown, {190, 338, 226, 362}, 1);
    SetAccessibleName(moveUp_, L"Move up");
    SetAccessibleName(moveDown_, L"Move down");

    Add(L"STATIC", L"Preview:", Label, -1, {298, 42, 542, 58}, 1);
    preview_ = Add(L"STATIC", L"", Child | SS_OWNERDRAW, ids::Preview, {298, 60, 542, 244}, 1,
                   WS_EX_CLIENTEDGE);

    Add(L"STATIC", L"Transform:", Label, -1, {298, 256, 404, 272}, 1);
    trans_ =
        Add(WC_COMBOBOXW, L"", Child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | WS_DISABLED,
            ids::Trans, {404, 252, 548, 552}, 1);
    for (auto name : TransitionNames)
        SendMessageW(trans_, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(Wide(std::string(name)).c_str()));
    SendMessageW(trans_, CB_SETCURSEL, TransitionNone, 0);

    Add(L"STATIC", L"Background Color:", Label, -1, {298, 284, 404, 300}, 1);
    HWND colour = Add(
        WC_COMBOBOXW, L"",
        Child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
        ids::Colour, {404, 280, 548, 580}, 1);
    colour_ = std::make_unique<ColourChoice>(colour, *form_->Services().colors);
    colourBox_ = colour;

    Add(L"STATIC", L"View Duration:", Label, -1, {298, 312, 404, 328}, 1);
    duration_ = Add(L"EDIT", L"6", Child | WS_TABSTOP | ES_AUTOHSCROLL, ids::Duration,
                    {404, 308, 460, 330}, 1, WS_EX_CLIENTEDGE);
    Add(L"STATIC", L"seconds", Label, -1, {466, 312, 548, 328}, 1);

    Add(L"BUTTON", L"Align Image", Child | BS_GROUPBOX, -1, {298, 336, 548, 384}, 1);
    const wchar_t* captions[3] = {L"Left", L"Center", L"Right"};
    for (int i = 0; i < 3; ++i)
        align_[i] = Add(L"BUTTON", captions[i],
                        Child | BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0),
                        ids::Align0 + i, {308 + 78 * i, 356, 382 + 78 * i, 376}, 1);

    // About: the title, the picture beside the texts with their links, the rights.
    // Its texts and picture take the pointer rather than letting it through to
    // the page, as moving over them is not moving over the page's background.
    title_ = Add(L"STATIC", L"Desktop Sorvane", PageText, -1, {28, 44, 548, 84}, 2);
    // Owner-drawn; its caption is what screen readers say of it.
    Add(L"STATIC", L"A stack of slides with a landscape on the top one",
        Child | SS_OWNERDRAW | SS_NOTIFY, ids::AboutPicture, {28, 92, 186, 260}, 2);
    label8_ = Add(L"STATIC",
                  L"This program allows you to create a slide show web page on your desktop with "
                  L"no programming required. If you have any problems please email them to",
                  PageText, -1, {204, 92, 548, 140}, 2);
    // The sentence ends with the address, on a line of its own.
    const std::wstring email = Wide(std::string(about::Email)) + L".";
    emailLink_ = Add(LinkLabelClass(), email.c_str(), Child | WS_TABSTOP, ids::EmailLink,
                     {204, 140, 548, 156}, 2);
    SetAccessibleName(emailLink_, email.c_str(), ROLE_SYSTEM_LINK);
    Add(L"STATIC", Wide(form_->Services().wording.Requirements).c_str(), PageText, -1,
        {204, 168, 548, 268}, 2);
    Add(L"STATIC",
        L"This program is freeware and is provided as-is, without warranty of any kind. You "
        L"may pass it on to others freely.",
        PageText, -1, {204, 278, 548, 326}, 2);
    rights_ = Add(L"STATIC", L"Copyright \u00A9 2026 the Desktop Sorvane authors. Images are from",
                  PageText, -1, {28, 360, 548, 380}, 2);
    const std::wstring site = SiteCaption();
    siteLink_ = Add(LinkLabelClass(), site.c_str(), Child | WS_TABSTOP, ids::SiteLink,
                    {28, 360, 548, 380}, 2);
    SetAccessibleName(siteLink_, site.c_str(), ROLE_SYSTEM_LINK);

    prevew_ = Add(L"BUTTON", L"Preview", Button, ids::Prevew, {10, 410, 94, 434}, 0);
    setWallpaper_ =
        Add(L"BUTTON", L"Set Wallpaper", Button, ids::SetWallpaper, {100, 410, 204, 434}, 0);
    help_ = Add(L"BUTTON", L"&Help", Button, ids::Help, {216, 410, 300, 434}, 0);
    ok_ = Add(L"BUTTON", L"&Ok", Button, ids::Ok, {306, 410, 390, 434}, 0);
    cancel_ = Add(L"BUTTON", L"&Cancel", Button, ids::Cancel, {396, 410, 480, 434}, 0);
    apply_ = Add(L"BUTTON", L"&Apply", Button | WS_DISABLED, ids::Apply, {486, 410, 570, 434}, 0);
}

// After Layout: the links are fitted to their captions in the new font.
void MainWindow::SetFonts() {
    if (font_) DeleteObject(font_);
    if (titleFont_) DeleteObject(titleFont_);
    font_ = MessageFont(dpi_);
    titleFont_ = MessageFont(dpi_, 9, true);
    for (const Placed& p : placed_)
        SendMessageW(p.control, WM_SETFONT,
                     reinterpret_cast<WPARAM>(p.control == title_ ? titleFont_ : font_), TRUE);
    // The colour names are wider than the box.
    SendMessageW(colourBox_, CB_SETDROPPEDWIDTH, Scaled(200, dpi_), 0);
    FitLinks();
}

// Each link is as wide as its caption, so that beside it is the page, and the
// site's follows the rights notice on their line.
void MainWindow::FitLinks() {
    const auto laidOut = [this](HWND control) {
        for (const Placed& p : placed_)
            if (p.control == control)
                return RECT{Scaled(p.at.left, dpi_), Scaled(p.at.top, dpi_),
                            Scaled(p.at.right, dpi_), Scaled(p.at.bottom, dpi_)};
        return RECT{};
    };
    const auto fit = [](HWND link, int left, int top) {
        const SIZE caption = TextSize(link);
        SetWindowPos(link, nullptr, left - LinkLabelMargin, top - LinkLabelMargin,
                     caption.cx + 2 * LinkLabelMargin, caption.cy + 2 * LinkLabelMargin,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    };
    const RECT email = laidOut(emailLink_);
    fit(emailLink_, email.left, email.top);
    const RECT notice = laidOut(rights_);
    const int noticeWidth = TextSize(rights_).cx;
    SetWindowPos(rights_, nullptr, 0, 0, noticeWidth, notice.bottom - notice.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    fit(siteLink_, notice.left + noticeWidth + TextSize(rights_, L" ").cx, notice.top);
}

void MainWindow::Layout() {
    HDWP moves = BeginDeferWindowPos(static_cast<int>(placed_.size()));
    for (const Placed& p : placed_) {
        const RECT& r = p.at;
        moves = DeferWindowPos(moves, p.control, nullptr, Scaled(r.left, dpi_), Scaled(r.top, dpi_),
                               Scaled(r.right - r.left, dpi_), Scaled(r.bottom - r.top, dpi_),
                               SWP_NOZORDER | SWP_NOACTIVATE);
    }
    EndDeferWindowPos(moves);
    pageBackground_.Rebuild(tabs_);
}

}  // namespace sorvane
