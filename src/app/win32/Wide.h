#pragma once

#include <string>

namespace sorvane {

// The form speaks UTF-8; the window's controls take UTF-16.
std::wstring Wide(const std::string& text);
std::string Utf8(const std::wstring& text);

}  // namespace sorvane
