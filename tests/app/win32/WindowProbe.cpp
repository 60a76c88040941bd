// Prints a top-level window found by its title and its controls, one a line:
//   window<TAB>title<TAB>left top width height
//   class<TAB>text<TAB>enabled visible<TAB>left top width height
// with screen coordinates, so a test can check the window and aim clicks at it.
// A list box's text is its number of entries.
// Exits 1 when no window has the title. A second argument names the desktop
// to look on (a Wine virtual desktop's name).
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
    out.resize(out.size() - 1);
    for (char& c : out)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return out;
}

void Print(const char* kind, HWND window) {
    // Asked of the window itself: another process's edit box keeps its text there.
    wchar_t text[512] = L"";
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000,
                        nullptr);
    if (std::string(kind) == "ListBox") {
        DWORD_PTR count = 0;
        SendMessageTimeoutW(window, LB_GETCOUNT, 0, 0, SMTO_BLOCK, 5000, &count);
        swprintf(text, 512, L"%u entries", static_cast<unsigned>(count));
    }
    RECT r{};
    GetWindowRect(window, &r);
    std::printf("%s\t%s\t%d %d\t%ld %ld %ld %ld\n", kind, Utf8(text).c_str(),
                IsWindowEnabled(window) ? 1 : 0, IsWindowVisible(window) ? 1 : 0, r.left, r.top,
                r.right - r.left, r.bottom - r.top);
}

BOOL CALLBACK Child(HWND window, LPARAM) {
    wchar_t cls[128] = L"";
    GetClassNameW(window, cls, 128);
    Print(Utf8(cls).c_str(), window);
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    if (argc > 2) {
        HDESK desktop = OpenDesktopW(argv[2], 0, FALSE, GENERIC_ALL);
        if (!desktop || !SetThreadDesktop(desktop)) return 2;
    }
    // The visible window of that title: the program's hidden progress window
    // may carry the same one.
    HWND first = FindWindowExW(nullptr, nullptr, nullptr, argv[1]);
    HWND window = first;
    while (window && !IsWindowVisible(window))
        window = FindWindowExW(nullptr, window, nullptr, argv[1]);
    if (!window) window = first;
    if (!window) return 1;
    Print("window", window);
    EnumChildWindows(window, Child, 0);
    std::fflush(stdout);
    return 0;
}
