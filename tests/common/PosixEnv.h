#pragma once

// The POSIX environment calls the tests use, on the Windows C runtime, where
// _putenv_s also updates the process environment the system calls read.
#ifdef _WIN32
#include <stdlib.h>

inline int setenv(const char* name, const char* value, int overwrite) {
    if (!overwrite && getenv(name)) return 0;
    return _putenv_s(name, value);
}

// An empty value removes the variable.
inline int unsetenv(const char* name) { return _putenv_s(name, ""); }
#endif
