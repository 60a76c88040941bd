#pragma once

#include "Win32.h"

namespace sorvane {

// The tab control's page texture as a brush, so labels, option buttons and the
// frame on a page paint with the page's background rather than the window's.
class PageBackground {
  public:
    ~PageBackground() { Release(); }
    // After the tab control is laid out, and when the theme changes.
    void Rebuild(HWND tabs);
    // For WM_CTLCOLORSTATIC from `control`, which lies on the page.
    HBRUSH For(HWND control, HDC dc) const;

  private:
    void Release();
    HWND tabs_ = nullptr;
    HBRUSH brush_ = nullptr;
};

}  // namespace sorvane
