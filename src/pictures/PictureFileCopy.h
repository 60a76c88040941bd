#pragma once

#include <string>

namespace sorvane {

enum class CopyStatus { Copied, TargetExists, Failed };

struct CopyResult {
    CopyStatus Status = CopyStatus::Failed;
    std::string Reason;  // why a Failed copy failed, as the system words it
};

// Copies a picture file. With failIfExists, an existing target (file, folder or
// link) is left alone and reported as TargetExists; any other failure is Failed.
// The bytes go to a hidden temporary file beside the target first and are
// renamed into place, so a copy that breaks off (full disk) never leaves a
// truncated picture and never spoils the file it was to replace.
CopyResult CopyPictureFile(const std::string& source, const std::string& target, bool failIfExists);

}  // namespace sorvane
