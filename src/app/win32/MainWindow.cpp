#include "MainWindow.h"

#include <commctrl.h>

#include <algorithm>

#include "AboutPicture.h"
#include "ControlIds.h"
#include "LinkLabel.h"
#include "Wide.h"
#include "WindowFont.h"

namespace sorvane {

namespace {

constexpr wchar_t ClassName[] = L"SorvaneMain";
// The client area at 96 dots per inch.
constexpr int ClientWidth = 580, ClientHeight = 444;
constexpr DWORD Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

void RegisterOnce() {
    static bool done = false;
    if (done) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = ClassName;
    RegisterClassExW(&wc);
    done = true;
}

RECT FrameFor(UINT dpi) {
    RECT frame{0, 0, Scaled(ClientWidth, dpi), Scaled(ClientHeight, dpi)};
    AdjustWindowRectEx(&frame, Style, FALSE, WS_EX_CONTROLPARENT);
    return frame;
}

}  // namespace

MainWindow::MainWindow(Platform platform) : platform_(std::move(platform)) {
    RegisterOnce();
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, ClassName, L"Desktop Sorvane", Style,
                              CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
    dpi_ = DpiOf(window_);
    const RECT frame = FrameFor(dpi_);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);

    dialogs_ = std::make_unique<Win32Dialogs>(window_);
    form_ = std::make_unique<MainForm>(std::move(platform_), *dialogs_);
    CreateControls();
    Layout();
    SetFonts();
}

MainWindow::~MainWindow() {
    if (window_) DestroyWindow(window_);
    if (font_) DeleteObject(font_);
    if (titleFont_) DeleteObject(titleFont_);
}

void MainWindow::Load(int show) {
    RECT inner{};
    GetClientRect(preview_, &inner);
    form_->PreviewBoxSized({inner.right, inner.bottom});
    ShowWindow(window_, show);
    Run([this] { form_->Form_Load(); });
}

void MainWindow::Run(const std::function<void()>& handler) {
    form_->Guard(handler);
    if (!window_) return;
    Mirror();
    if (form_->Closed()) DestroyWindow(window_);
}

bool MainWindow::PreTranslate(MSG& msg) {
    if (!window_) return false;
    // The pointer's moves reach the control under it, not this window.
    if (msg.message == WM_MOUSEMOVE) PointerMoved(msg.hwnd, msg.lParam);
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
        const int page = static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0));
        Run([this, page] { form_->TabStrip1_Click(page == 0 ? 2 : 1); });
        return true;
    }
    return IsDialogMessageW(window_, &msg) != FALSE;
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->Handle(message, w, l) : DefWindowProcW(window, message, w, l);
}

LRESULT MainWindow::Handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_COMMAND:
            if (!mirroring_ && l) Command(LOWORD(w), HIWORD(w));
            return 0;
        case WM_NOTIFY:
            if (!mirroring_) Notify(*reinterpret_cast<const NMHDR*>(l));
            return 0;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(l);
            if (item.CtlID == ids::Colour) colour_->Draw(item);
            if (item.CtlID == ids::Preview) DrawPreview(item);
            if (item.CtlID == ids::AboutPicture) {
                HBRUSH page = pageBackground_.For(item.hwndItem, item.hDC);
                FillRect(item.hDC, &item.rcItem, page ? page : GetSysColorBrush(COLOR_BTNFACE));
                DrawAboutPicture(item.hDC, item.rcItem);
            }
            return TRUE;
        }
        case WM_CTLCOLORSTATIC: {
            // Labels and option buttons on a page; edits and lists keep their own.
            const auto control = reinterpret_cast<HWND>(l);
            wchar_t cls[32] = L"";
            GetClassNameW(control, cls, 32);
            const bool onPage = std::any_of(
                placed_.begin(), placed_.end(),
                [control](const Placed& p) { return p.control == control && p.page != 0; });
            if (onPage && (lstrcmpiW(cls, L"Static") == 0 || lstrcmpiW(cls, L"Button") == 0 ||
                           lstrcmpiW(cls, LinkLabelClass()) == 0))
                if (HBRUSH brush = pageBackground_.For(control, reinterpret_cast<HDC>(w)))
                    return reinterpret_cast<LRESULT>(brush);
            break;
        }
        case WM_THEMECHANGED:
            pageBackground_.Rebuild(tabs_);
            break;
        case WM_SETCURSOR:
            if (dialogs_ && dialogs_->Busy()) {
                SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_DPICHANGED: {
            dpi_ = HIWORD(w);
            const auto& suggested = *reinterpret_cast<const RECT*>(l);
            SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                         suggested.right - suggested.left, suggested.bottom - suggested.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            Layout();
            SetFonts();
            InvalidateRect(window_, nullptr, TRUE);
            return 0;
        }
        case WM_CLOSE:
            // The close box closes like Cancel.
            if (!form_->Closed()) Run([this] { form_->CloseBox(); });
            if (window_ && form_->Closed()) DestroyWindow(window_);
            return 0;
        case WM_DESTROY:
            window_ = nullptr;
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window_, message, w, l);
}

void MainWindow::Command(int id, int code) {
    MainForm& f = *form_;
    if (code == BN_CLICKED) {
        switch (id) {
            case ids::Add:
                return Run([&f] { f.cmdAdd_Click(); });
            case ids::AddFolder:
                return Run([&f] { f.cmdAddFolder_Click(); });
            case ids::Remove:
                return Run([&f] { f.cmdRemove_Click(); });
            case ids::MoveUp:
                return Run([&f] { f.cmdMoveUp_Click(); });
            case ids::MoveDown:
                return Run([&f] { f.cmdMoveDown_Click(); });
            case ids::Align0:
            case ids::Align1:
            case ids::Align2:
                return Run([&f, id] { f.UserClickedAlign(id - ids::Align0); });
            case ids::Prevew:
                return Run([&f] { f.cmdPrevew_Click(); });
            case ids::SetWallpaper:
                return Run([&f] { f.cmdSetWallpaper_Click(); });
            case ids::Help:
                return;  // Help has no action.
            case ids::Ok:
                return Run([&f] { f.cmdOk_Click(); });
            case ids::Cancel:
                return Run([&f] { f.cmdCancel_Click(); });
            case ids::Apply:
                return Run([&f] { f.cmdApply_Click(); });
        }
    }
    if (id == ids::List && code == LBN_SELCHANGE) return ListSelectionChanged();
    if (id == ids::Trans && (code == CBN_SELENDOK || code == CBN_SELCHANGE)) {
        // Moving through the open list chooses nothing until it closes.
        if (SendMessageW(trans_, CB_GETDROPPEDSTATE, 0, 0)) return;
        const auto index = static_cast<int>(SendMessageW(trans_, CB_GETCURSEL, 0, 0));
        // Choosing the entry shown still gives it to every selected picture,
        // so a second notice of the same choice changes nothing more.
        return Run([&f, index] { f.UserChoseTransition(index); });
    }
    if (id == ids::Colour && (code == CBN_SELENDOK || code == CBN_SELCHANGE)) {
        if (SendMessageW(colourBox_, CB_GETDROPPEDSTATE, 0, 0)) return;
        if (const auto colour = colour_->Chosen(window_))
            return Run([&f, value = *colour] { f.UserPickedColour(value); });
        return Mirror();
    }
    if (id == ids::Duration && code == EN_CHANGE) {
        const int length = GetWindowTextLengthW(duration_);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        GetWindowTextW(duration_, text.data(), length + 1);
        text.resize(static_cast<size_t>(length));
        const std::string value = Utf8(text);
        return Run([&f, &value] { f.UserEditedDuration(value); });
    }
}

void MainWindow::Notify(const NMHDR& header) {
    MainForm& f = *form_;
    if (header.idFrom == ids::Tabs && header.code == TCN_SELCHANGE) {
        const int page = static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0));
        return Run([&f, page] { f.TabStrip1_Click(page + 1); });
    }
    if (header.code == NM_CLICK || header.code == NM_RETURN) {
        if (header.idFrom == ids::EmailLink) return Run([&f] { f.lblEmail_Click(); });
        if (header.idFrom == ids::SiteLink) return Run([&f] { f.lblOrl_Click(); });
    }
}

void MainWindow::ListSelectionChanged() {
    const auto count = static_cast<int>(SendMessageW(list_, LB_GETSELCOUNT, 0, 0));
    std::vector<int> indices(static_cast<size_t>(std::max(count, 0)));
    if (count > 0)
        SendMessageW(list_, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(indices.data()));
    std::sort(indices.begin(), indices.end());
    const auto caret = static_cast<int>(SendMessageW(list_, LB_GETCARETINDEX, 0, 0));
    const int current = caret < static_cast<int>(shownNames_.size()) ? caret : -1;
    Run([this, &indices, current] { form_->UserSelectedEntries(indices, current); });
}

}  // namespace sorvane
