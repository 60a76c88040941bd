#pragma once

#include <string>
#include <vector>

namespace sorvane {

// Runs the desktop host program with `args` and waits for it to end: a new
// host detaches from us once its page is seen. Returns "" when it reported
// success (a host started, or a running host took the request), else what it
// said, why it couldn't be run, or that it did not end in time (it is then
// killed and reaped; whether a host came up is not known).
std::string RunHostProgram(const std::string& program, const std::vector<std::string>& args);

}  // namespace sorvane
