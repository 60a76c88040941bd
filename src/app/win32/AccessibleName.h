#pragma once

#include "Win32.h"

namespace sorvane {

// Gives a control whose caption is a symbol (the list's arrow buttons) the
// name screen readers announce. Does nothing where accessibility is missing.
void SetAccessibleName(HWND control, const wchar_t* name);

}  // namespace sorvane
