// The form's state, shown: run after every handler.
#include "Win32.h"

#include <commctrl.h>

#include "LinkLabel.h"
#include "MainWindow.h"
#include "Wide.h"

namespace sorvane {

namespace {

void Enable(HWND control, bool on) {
    if ((IsWindowEnabled(control) != FALSE) != on) EnableWindow(control, on);
}

}  // namespace

void MainWindow::MirrorList() {
    const auto& pictures = form_->State().Settings.Pictures;
    bool same = shownNames_.size() == pictures.size();
    for (size_t i = 0; same && i < pictures.size(); ++i)
        same = shownNames_[i] == pictures[i].FileName;
    if (!same) {
        SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
        SendMessageW(list_, LB_RESETCONTENT, 0, 0);
        shownNames_.clear();
        for (const auto& entry : pictures) {
            shownNames_.push_back(entry.FileName);
            SendMessageW(list_, LB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(Wide(entry.FileName).c_str()));
        }
        SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
    }
    // The selection as runs of neighbours: large lists stay quick.
    const int count = static_cast<int>(pictures.size());
    for (int i = 0; i < count;) {
        const bool selected = pictures[i].Selected;
        int end = i;
        while (end + 1 < count && pictures[end + 1].Selected == selected) ++end;
        // A range given high to low is taken off the selection, but a range of
        // one entry is always selected: that one is set on its own.
        if (i == end)
            SendMessageW(list_, LB_SETSEL, selected, i);
        else
            SendMessageW(list_, LB_SELITEMRANGEEX, selected ? i : end, selected ? end : i);
        i = end + 1;
    }
    const int current = form_->State().Controls.ListIndex;
    if (current >= 0 && current < count) {
        SendMessageW(list_, LB_SETCARETINDEX, current, FALSE);
    }
}

void MainWindow::Mirror() {
    mirroring_ = true;
    const FormState& st = form_->State();
    const ControlState& c = st.Controls;

    const int page = c.TabIndex == 1 ? 0 : 1;
    if (SendMessageW(tabs_, TCM_GETCURSEL, 0, 0) != page)
        SendMessageW(tabs_, TCM_SETCURSEL, page, 0);
    for (const Placed& p : placed_)
        if (p.page) ShowWindow(p.control, p.page == page + 1 ? SW_SHOWNA : SW_HIDE);

    MirrorList();
    Enable(remove_, c.RemoveEnabled);
    Enable(moveUp_, c.MoveUpEnabled);
    Enable(moveDown_, c.MoveDownEnabled);
    if (c.TransIndex >= 0 && c.TransIndex < SendMessageW(trans_, CB_GETCOUNT, 0, 0))
        SendMessageW(trans_, CB_SETCURSEL, c.TransIndex, 0);
    Enable(trans_, c.TransEnabled);
    colour_->Show(st.Settings.BackgroundColor);
    const std::wstring duration = Wide(st.Settings.DurationText);
    std::wstring shown(static_cast<size_t>(GetWindowTextLengthW(duration_)) + 1, L'\0');
    GetWindowTextW(duration_, shown.data(), static_cast<int>(shown.size()));
    shown.resize(shown.size() - 1);
    if (shown != duration) SetWindowTextW(duration_, duration.c_str());
    const int align = AlignIndexOf(st.Settings.Alignment);
    for (int i = 0; i < 3; ++i)
        SendMessageW(align_[i], BM_SETCHECK, i == align ? BST_CHECKED : BST_UNCHECKED, 0);
    InvalidateRect(preview_, nullptr, FALSE);
    MirrorLinks();

    Enable(apply_, c.ApplyEnabled);
    Enable(setWallpaper_, c.SetWallpaperEnabled);
    SetCursor(LoadCursorW(nullptr, c.Busy ? IDC_WAIT : IDC_ARROW));
    mirroring_ = false;
}

void MainWindow::MirrorLinks() {
    const ControlState& c = form_->State().Controls;
    ColorTranslator& colors = *form_->Services().colors;
    const auto shown = [&colors](uint32_t oleColor) {
        return static_cast<COLORREF>(
            colors.Translate(oleColor).value_or(GetSysColor(COLOR_BTNTEXT)));
    };
    SetLinkColour(emailLink_, shown(c.EmailLinkColor));
    SetLinkColour(siteLink_, shown(c.SiteLinkColor));
}

// The preview box: its background, and the picture where the form placed it;
// a picture that can't be read shows its place as a frame.
void MainWindow::DrawPreview(const DRAWITEMSTRUCT& item) {
    const ControlState& c = form_->State().Controls;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
    if (c.PreviewPicturePath.empty() || c.PreviewWidth <= 0 || c.PreviewHeight <= 0) return;
    RECT at{c.PreviewLeft, c.PreviewTop, c.PreviewLeft + c.PreviewWidth,
            c.PreviewTop + c.PreviewHeight};
    if (!previewPicture_.Draw(item.hDC, c.PreviewPicturePath, at, GetSysColor(COLOR_WINDOW)))
        FrameRect(item.hDC, &at, GetSysColorBrush(COLOR_BTNSHADOW));
}

}  // namespace sorvane
