#pragma once

#include "Win32.h"

namespace sorvane {

// A link that looks like a label: its caption in the colour the window gives
// it, without underline, the hand pointer over it and a focus mark when the
// keyboard reaches it. A click or Space tells the parent NM_CLICK and Enter
// NM_RETURN, through WM_NOTIFY as a SysLink would. A SysLink cannot be given
// the colour of its link text, which the About page's hover needs.

// The class name, registered on first use.
const wchar_t* LinkLabelClass();
// Repaints only when the colour differs from the one shown.
void SetLinkColour(HWND link, COLORREF colour);
// The room the focus mark takes on each side of the caption.
constexpr int LinkLabelMargin = 1;

}  // namespace sorvane
