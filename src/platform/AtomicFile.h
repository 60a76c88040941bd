#pragma once

#include <chrono>
#include <cstdint>
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

// The same in two steps: written in full and flushed under a temporary name,
// but put in place only by Commit(), so several files can be readied first and
// swapped in once all of them were written. Dropped uncommitted, it leaves
// nothing behind. Both steps throw sorvane::Error.
class PendingFile {
  public:
    PendingFile(std::string path, std::string_view bytes,
                Durability durability = Durability::Flushed);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    void Commit();

  private:
    std::string path_;
    std::string temp_;
};

// Whether a file name is one of our temporary names.
bool IsTempName(const std::string& fileName);
// Removes our temporary files in `folder` last written longer ago than
// `olderThan`: what a write cut short by a crash left.
void RemoveLeftoverTempFiles(const std::string& folder, std::chrono::seconds olderThan);
// Makes the renames in `folder` reach the disk in order (where the system
// needs telling).
void SyncFolder(const std::string& folder);

// Reads a whole file; throws sorvane::Error when it can't. Only a regular file
// is read: a folder, pipe or device of that name is refused without waiting.
// A file larger than `maxBytes` is refused ("File too large") unread.
std::string ReadWholeFile(const std::string& path, size_t maxBytes = SIZE_MAX);
// The same without the message: nullopt when the file can't be read.
std::optional<std::string> ReadWholeFileIfPossible(const std::string& path,
                                                   size_t maxBytes = SIZE_MAX);

// The first `maxBytes` bytes of a regular file (all of a shorter one); nullopt
// when it can't be read.
std::optional<std::string> ReadFileStart(const std::string& path, size_t maxBytes);

#ifndef _WIN32
// Opens a regular file for reading without ever blocking on a pipe or device
// of that name. The descriptor, which the caller closes, or -1.
int OpenRegularFile(const std::string& path);
#endif

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
