#pragma once

#include "Win32.h"

#include "platform/Dialogs.h"

namespace sorvane {

// The progress window: a label over a bar, owned by the main window. It is
// made when first shown and destroyed when unloaded.
class ProgressWindow : public Progress {
  public:
    explicit ProgressWindow(HWND owner) : owner_(owner) {}
    ~ProgressWindow() override { Unload(); }
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    void SetLabel(const std::string& text) override;
    void SetMaximum(int max) override;
    void SetValue(int value) override;
    void Repaint() override;

    void Show();
    void Hide();
    void Unload();
    HWND Handle() const { return window_; }

  private:
    void Load();

    HWND owner_;
    HWND window_ = nullptr;
    HWND label_ = nullptr;
    HWND bar_ = nullptr;
    HFONT font_ = nullptr;
};

}  // namespace sorvane
