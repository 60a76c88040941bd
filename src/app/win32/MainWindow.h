#pragma once

#include "Win32.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ColourChoice.h"
#include "PageBackground.h"
#include "PreviewPicture.h"
#include "Win32Dialogs.h"
#include "app/MainForm.h"

namespace sorvane {

// The main window over MainForm: it calls one form handler per gesture and,
// after each, mirrors the form's state into its controls. Laid out at 96
// dots per inch and scaled to the monitor it is on.
class MainWindow {
  public:
    explicit MainWindow(Platform platform);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Form_Load, then the window shows.
    void Load(int show);
    HWND Handle() const { return window_; }
    // Keyboard use as in a dialog: Tab, mnemonics, Ctrl+Tab between the pages.
    bool PreTranslate(MSG& msg);

  private:
    // One control and its place at 96 dots per inch; `page` 0 on both pages,
    // 1 Settings, 2 About.
    struct Placed {
        HWND control;
        RECT at;
        int page;
    };

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT Handle(UINT message, WPARAM w, LPARAM l);

    // MainWindowLayout.cpp
    HWND Add(const wchar_t* cls, const wchar_t* text, DWORD style, int id, RECT at, int page,
             DWORD exStyle = 0);
    void CreateControls();
    void Layout();
    void SetFonts();
    void FitLinks();

    // MainWindowMirror.cpp
    void Mirror();
    void MirrorList();
    void MirrorLinks();

    // MainWindowHover.cpp
    void PointerMoved(HWND over, LPARAM where);
    void Hover(const std::function<void()>& handler);

    void Run(const std::function<void()>& handler);
    void Command(int id, int code);
    void Notify(const NMHDR& header);
    void ListSelectionChanged();
    void TransitionChosen();
    void DrawPreview(const DRAWITEMSTRUCT& item);

    Platform platform_;
    HWND window_ = nullptr;
    std::unique_ptr<Win32Dialogs> dialogs_;
    std::unique_ptr<MainForm> form_;
    std::unique_ptr<ColourChoice> colour_;
    std::vector<Placed> placed_;
    PageBackground pageBackground_;
    std::vector<std::string> shownNames_;
    UINT dpi_ = 96;
    HFONT font_ = nullptr;
    HFONT titleFont_ = nullptr;
    bool mirroring_ = false;

    PreviewPicture previewPicture_;
    HWND tabs_{}, list_{}, preview_{}, trans_{}, colourBox_{}, duration_{}, title_{};
    HWND add_{}, addFolder_{}, remove_{}, moveUp_{}, moveDown_{};
    HWND align_[3]{};
    HWND prevew_{}, setWallpaper_{}, help_{}, ok_{}, cancel_{}, apply_{};
    HWND label8_{}, emailLink_{}, rights_{}, siteLink_{};
};

}  // namespace sorvane
