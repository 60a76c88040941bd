#include "LinuxTempNames.h"

#include <cstdio>

namespace sorvane {

std::string LinuxTempNames::TempFileName(const std::string& folder, const std::string& prefix,
                                         unsigned unique) {
    char number[16];
    std::snprintf(number, sizeof number, "%X", unique);
    // Only the first three characters of the prefix count, as on the original.
    return folder + "/" + prefix.substr(0, 3) + number + ".TMP";
}

}  // namespace sorvane
