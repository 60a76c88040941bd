#pragma once

// The Windows headers, less the macro that would rename the dialogs'
// MessageBox member to MessageBoxW in this folder only.
#include <windows.h>
#undef MessageBox
