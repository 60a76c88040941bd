// The About page's links light up under the pointer: each move over a link,
// over the text before the e-mail link or over a page's background goes to the
// form, and the links take the colours it holds.
#include "Win32.h"

#include <commctrl.h>

#include "MainWindow.h"

namespace sorvane {

void MainWindow::PointerMoved(HWND over, LPARAM where) {
    MainForm& f = *form_;
    if (over == emailLink_) return Hover([&f] { f.lblEmail_MouseMove(); });
    if (over == siteLink_) return Hover([&f] { f.lblOrl_MouseMove(); });
    if (over == label8_) return Hover([&f] { f.Label8_MouseMove(); });
    // Away from its tabs the tab control lets the pointer through to this
    // window; the page's texts and picture keep it (they change nothing).
    if (over != window_ && over != tabs_) return;
    POINT at{static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
    MapWindowPoints(over, tabs_, &at, 1);
    RECT page{};
    GetClientRect(tabs_, &page);
    SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    if (!PtInRect(&page, at)) return;
    const auto index = static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0));
    Hover([&f, index] { f.Frame_MouseMove(index); });
}

// A hover handler changes the links' colours only, so only they are shown:
// every move leaves the pointer's shape and the other controls alone.
void MainWindow::Hover(const std::function<void()>& handler) {
    form_->Guard(handler);
    MirrorLinks();
}

}  // namespace sorvane
