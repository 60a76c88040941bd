#pragma once

#include <optional>
#include <string>

namespace sorvane {

// What tells one version of a file from another without reading it: size,
// modification and change times in nanoseconds, inode and device. The change
// time is set by the system on every write, rename into place or replacement
// and no tool can set it back, so a file replaced by one of the same size and
// modification time still reads as changed. As text, for keeping in a file;
// nullopt when the file cannot be looked at or is not a regular file.
std::optional<std::string> FileIdentityOf(const std::string& path);

// The same without the change time, which a hard link alters: for a file that
// is linked into the next build but whose content stays as it was written.
std::optional<std::string> FileContentIdentityOf(const std::string& path);

}  // namespace sorvane
