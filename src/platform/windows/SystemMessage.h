#pragma once

#include <string>

namespace sorvane {

// The system's text for an error code (GetLastError, a registry result or an
// HRESULT), without the line break it ends with; "" when it has none.
std::string SystemMessage(unsigned long code);

// Throws sorvane::Error for a shell object's call that failed with `hr`,
// naming the call, with the HRESULT as Number.
[[noreturn]] void ThrowRefusal(const char* call, long hr);

// Texts in the system code page (UTF-8 in our programs, by their manifest)
// and the shell's UTF-16.
std::wstring CodePageToWide(const std::string& text);
std::string WideToCodePage(const wchar_t* text);

}  // namespace sorvane
