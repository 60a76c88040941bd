#pragma once

#include <string>
#include <string_view>

namespace sorvane {

// Writes the whole file under a temporary name in the same folder and renames
// it over `path`, so a failure (full disk, no permission) leaves the old file
// byte for byte. Throws sorvane::Error with a readable message on failure.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Reads a whole file; throws sorvane::Error when it can't.
std::string ReadWholeFile(const std::string& path);

}  // namespace sorvane
