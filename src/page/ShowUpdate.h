#pragma once

#include <string>
#include <string_view>

#include "platform/Error.h"

namespace sorvane {

// One build's new show, put in place all at once or not at all. The prepared
// copies are written into a staging folder beside the prepared-copies folder;
// Commit swaps that folder in together with the page and config.dat. Until
// then, and whenever a step fails, the old show and settings stay as they were:
// the page never names a copy of another build, nor a copy that is missing.
class ShowUpdate {
  public:
    // Starts with an empty staging folder in `pageFolder`. Throws sorvane::Error
    // when it cannot be made (folder unknown, not writable, full).
    explicit ShowUpdate(std::string pageFolder);
    // An update that was never committed leaves no staging folder behind.
    ~ShowUpdate();
    ShowUpdate(const ShowUpdate&) = delete;
    ShowUpdate& operator=(const ShowUpdate&) = delete;

    // Where the prepared copies go; ends with a separator.
    std::string StagingFolder() const;

    // Puts the staged copies, the page `pageName` and the settings file in
    // place. Prepared copies of the old show that this build did not write
    // (pictures that could not be read, or that left the list) are kept.
    // Throws sorvane::Error with what stood in the way; nothing has changed then.
    void Commit(const std::string& pageName, std::string_view pageText,
                const std::string& configPath, std::string_view configText);

  private:
    std::string pageFolder_;
    bool committed_ = false;
};

// A build that failed part way and could not undo all it had done: the text
// says what is on disk now.
class ShowNotRestored : public Error {
  public:
    using Error::Error;
};

// Puts back the earlier prepared copies that a build cut short (a crash
// between its two renames) left aside; a message when it did or could not,
// "" when there was nothing to do. Call it only while holding the show lock.
std::string RecoverInterruptedUpdate(const std::string& pageFolder);
// Whether there is such a build to recover from (no lock needed to ask).
bool InterruptedUpdateLeftAside(const std::string& pageFolder);

}  // namespace sorvane
