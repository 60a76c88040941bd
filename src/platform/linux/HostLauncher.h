#pragma once

#include <string>
#include <vector>

namespace sorvane {

// Starts the desktop host with `args` and waits only for its first answer:
// the host detaches from us once its desktop surfaces exist. Returns "" when
// it started (or a running host took the request), else what it said, or why
// it couldn't be started.
std::string StartHost(const std::string& program, const std::vector<std::string>& args);

}  // namespace sorvane
