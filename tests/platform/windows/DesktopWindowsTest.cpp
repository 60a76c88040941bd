// The desktop test against windows this test makes itself: the classes are
// registered here, so the search meets exactly the windows each case builds.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "platform/windows/WindowsDesktopWindows.h"

namespace sorvane::test {
namespace {

class Window {
  public:
    Window(const std::string& cls, HWND parent) {
        handle_ = CreateWindowExA(0, cls.c_str(), "", parent ? WS_CHILD : WS_OVERLAPPED, 0, 0, 10,
                                  10, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~Window() {
        if (handle_) DestroyWindow(handle_);
    }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    HWND Handle() const { return handle_; }

  private:
    HWND handle_;
};

class DesktopWindowsTest : public ::testing::Test {
  protected:
    // Names of this process's own, so no window of the system can answer.
    DesktopWindowClasses names{"SorvaneTestProgman", "SorvaneTestDefView", "SorvaneTestBrowser"};

    void SetUp() override {
        for (const std::string* name : {&names.Desktop, &names.View, &names.Browser})
            Register(*name);
    }

    static void Register(const std::string& name) {
        WNDCLASSA cls{};
        cls.lpfnWndProc = DefWindowProcA;
        cls.hInstance = GetModuleHandleA(nullptr);
        cls.lpszClassName = name.c_str();
        // Registering twice (a later case) is fine.
        if (!RegisterClassA(&cls)) {
            ASSERT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
        }
    }

    uint64_t Find() { return WindowsDesktopWindows(names).FindDesktopBrowserWindow(); }
};

TEST_F(DesktopWindowsTest, FindsTheBrowserInsideTheDesktopView) {
    EXPECT_EQ(Find(), 0u) << "no desktop at all";
    Window desktop(names.Desktop, nullptr);
    ASSERT_TRUE(desktop.Handle());
    EXPECT_EQ(Find(), 0u);
    Window view(names.View, desktop.Handle());
    ASSERT_TRUE(view.Handle());
    EXPECT_EQ(Find(), 0u) << "a desktop view without a browser is a plain desktop";
    Window browser(names.Browser, view.Handle());
    ASSERT_TRUE(browser.Handle());
    EXPECT_EQ(Find(), reinterpret_cast<uintptr_t>(browser.Handle()));
}

TEST_F(DesktopWindowsTest, ABrowserElsewhereDoesNotCount) {
    Window desktop(names.Desktop, nullptr);
    Window other(names.Desktop + "Other", nullptr);
    // A browser straight under the desktop, not under its view.
    Window browser(names.Browser, desktop.Handle());
    ASSERT_TRUE(browser.Handle());
    EXPECT_EQ(Find(), 0u);
    Window view(names.View, desktop.Handle());
    Window inner(names.Browser, view.Handle());
    EXPECT_EQ(Find(), reinterpret_cast<uintptr_t>(inner.Handle()));
}

// Each step searches below what the step before found, even nothing: with no
// desktop window, the view is looked for among the top-level windows.
TEST_F(DesktopWindowsTest, AMissingDesktopLeavesTheSearchAtTheTopLevel) {
    Window view(names.View, nullptr);
    Window browser(names.Browser, view.Handle());
    ASSERT_TRUE(browser.Handle());
    EXPECT_EQ(Find(), reinterpret_cast<uintptr_t>(browser.Handle()));
}

// The real class names, where the system has no desktop of its own (as under
// Wine without a display).
TEST_F(DesktopWindowsTest, RealClassNamesByDefault) {
    if (FindWindowA("Progman", nullptr)) GTEST_SKIP() << "this system has its own desktop";
    const DesktopWindowClasses real;
    names = real;
    SetUp();
    EXPECT_EQ(WindowsDesktopWindows().FindDesktopBrowserWindow(), 0u);
    Window desktop(real.Desktop, nullptr);
    Window view(real.View, desktop.Handle());
    Window browser(real.Browser, view.Handle());
    ASSERT_TRUE(browser.Handle());
    EXPECT_EQ(WindowsDesktopWindows().FindDesktopBrowserWindow(),
              reinterpret_cast<uintptr_t>(browser.Handle()));
}

}  // namespace
}  // namespace sorvane::test
