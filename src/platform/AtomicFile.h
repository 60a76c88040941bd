#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

// Every file the program writes goes through here: the page, config.dat, the
// stored pictures and their prepared copies. Each is written whole under a
// temporary name in the same folder and renamed over its path, so a failure
// (full disk, no permission) leaves the old file byte for byte and no reader
// ever sees half a file.

// Whether the bytes reach the disk before the rename. Files that are rebuilt
// on every run (the prepared copies) skip the flush; what the user keeps
// (settings, the page, stored pictures) does not.
enum class Durability { Flushed, Unflushed };

// Throws sorvane::Error with a readable message on failure.
void WriteFileAtomically(const std::string& path, std::string_view bytes,
                         Durability durability = Durability::Flushed);

// Reads a whole file; throws sorvane::Error when it can't (a folder included).
std::string ReadWholeFile(const std::string& path);
// The same without the message: nullopt when the file can't be read.
std::optional<std::string> ReadWholeFileIfPossible(const std::string& path);

enum class CopyStatus { Copied, TargetExists, Failed };

struct CopyResult {
    CopyStatus Status = CopyStatus::Failed;
    std::string Reason;  // why a Failed copy failed, as the system words it
};

// Copies a file the same way: to a temporary name beside the target, then
// renamed into place, so a copy that breaks off never leaves a truncated file
// and never spoils the one it was to replace. With failIfExists an existing
// target (file, folder or link) is left alone and reported as TargetExists.
// The copy is always writable by its owner, whatever the source's permissions.
CopyResult CopyFileAtomically(const std::string& source, const std::string& target,
                              bool failIfExists);

}  // namespace sorvane
