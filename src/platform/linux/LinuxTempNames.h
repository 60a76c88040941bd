#pragma once

#include "platform/Platform.h"

namespace sorvane {

// The name a temporary-file service forms for a fixed unique number:
// folder/PREFIX<hex>.TMP, nothing created.
class LinuxTempNames : public TempNames {
  public:
    std::string TempFileName(const std::string& folder, const std::string& prefix,
                             unsigned unique) override;
};

}  // namespace sorvane
