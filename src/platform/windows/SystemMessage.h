#pragma once

#include <string>

namespace sorvane {

// The system's text for an error code (GetLastError, a registry result or an
// HRESULT), without the line break it ends with; "" when it has none.
std::string SystemMessage(unsigned long code);

}  // namespace sorvane
