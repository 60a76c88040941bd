#pragma once

#include "Win32.h"

namespace sorvane {

// Gives a control whose caption is a symbol (the list's arrow buttons) the
// name screen readers announce; `role`, a ROLE_SYSTEM_ value, also says what
// a control of the window's own class is. Does nothing where accessibility is
// missing.
void SetAccessibleName(HWND control, const wchar_t* name, long role = 0);

}  // namespace sorvane
