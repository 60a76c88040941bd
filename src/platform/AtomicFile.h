#pragma once

#include <string>
#include <string_view>

namespace sorvane {

// Writes the whole file under a temporary name in the same folder and renames
// it over `path`, so a failure (full disk, no permission) leaves the old file
// byte for byte. Throws sorvane::Error with a readable message on failure.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// A file written in full under a temporary name beside `path` and flushed,
// but put in place only by Commit(), so several files can be readied first and
// swapped in once all of them were written. Dropped uncommitted, it leaves
// nothing behind. Both steps throw sorvane::Error with a readable message.
class PendingFile {
  public:
    PendingFile(std::string path, std::string_view bytes);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    void Commit();

  private:
    std::string path_;
    std::string temp_;
};

// Reads a whole file; throws sorvane::Error when it can't. Only a regular file
// is read: a pipe, device or folder of that name is refused without waiting.
std::string ReadWholeFile(const std::string& path);

#ifndef _WIN32
// Opens a regular file for reading without ever blocking on a pipe or device
// of that name. Returns the descriptor (the caller closes it), or -1 with the
// reason in `why`.
int OpenRegularFile(const std::string& path, std::string* why = nullptr);
#endif

}  // namespace sorvane
