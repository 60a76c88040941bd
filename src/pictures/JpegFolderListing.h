#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// Whether a file name matches "*.jpg" the way the original file system
// matched it: the extension compared without regard to case.
bool MatchesJpgPattern(std::string_view name);

// The names of the files in `folder` that match "*.jpg", ordered by name
// without regard to case (the order the original file system listed them in).
// Sub-folders are left out. An unreadable or missing folder gives no names.
std::vector<std::string> ListJpegNames(const std::string& folder);

}  // namespace sorvane
