// The About page's link control on a real window (under Wine in the cross-build).
#include <gtest/gtest.h>

#include "app/win32/LinkLabel.h"

#include <commctrl.h>

#include <vector>

namespace sorvane {
namespace {

std::vector<UINT> told;

LRESULT CALLBACK Parent(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NOTIFY) told.push_back(reinterpret_cast<const NMHDR*>(l)->code);
    return DefWindowProcW(window, message, w, l);
}

// Keys reach the link through the dialog handling the window uses: Enter and
// Space open it once per press, and a click opens it only when the button is
// let go over it.
TEST(LinkLabel, EnterSpaceAndClicksOpenTheLink) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Parent;
    wc.lpszClassName = L"LinkLabelTestParent";
    RegisterClassW(&wc);
    HWND parent = CreateWindowExW(WS_EX_CONTROLPARENT, wc.lpszClassName, L"", WS_POPUP, 0, 0, 200,
                                  100, nullptr, nullptr, nullptr, nullptr);
    HWND link = CreateWindowExW(0, LinkLabelClass(), L"someone@example.org.",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 120, 20, parent, nullptr,
                                nullptr, nullptr);
    ASSERT_NE(link, nullptr);
    SetFocus(link);
    told.clear();
    const auto key = [&](WPARAM vk, LPARAM repeat) {
        MSG msg{link, WM_KEYDOWN, vk, 1 | repeat, 0, {}};
        if (!IsDialogMessageW(parent, &msg)) DispatchMessageW(&msg);
    };
    key(VK_RETURN, 0);
    key(VK_SPACE, 0);
    key(VK_SPACE, 1 << 30);  // held down
    EXPECT_EQ(told, (std::vector<UINT>{NM_RETURN, NM_CLICK}));

    told.clear();
    SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(300, 5));
    EXPECT_EQ(told, (std::vector<UINT>{NM_CLICK}));
    DestroyWindow(parent);
}

}  // namespace
}  // namespace sorvane
