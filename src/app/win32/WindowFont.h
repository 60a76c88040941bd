#pragma once

#include "Win32.h"

namespace sorvane {

// The window's dots per inch (96 where the system cannot say).
UINT DpiOf(HWND window);
// A length given at 96 dots per inch, at `dpi`.
inline int Scaled(int length, UINT dpi) { return MulDiv(length, static_cast<int>(dpi), 96); }
// The system's message font at `dpi`, `points` larger (negative: smaller);
// the caller deletes it.
HFONT MessageFont(UINT dpi, int points = 0, bool serif = false);
// The size of `text` on one line in a control's font; without `text`, of its caption.
SIZE TextSize(HWND control, const wchar_t* text = nullptr);

}  // namespace sorvane
