#pragma once

#include <string>
#include <vector>

#include "settings/SlideshowSettings.h"

namespace sorvane {

// The picture store as one run sees it: a folder of its own holding links to
// the stored pictures (copies where links can't be made). A preparation that
// reduces a picture replaces the link, so the stored picture keeps the size a
// real screen needs when the run only pretends to have another screen. The
// folder goes when the run's view does.
class RunOnlyStore {
  public:
    // Throws sorvane::Error when no folder can be made.
    RunOnlyStore(const std::string& store, const std::vector<PictureEntry>& pictures);
    ~RunOnlyStore();
    RunOnlyStore(const RunOnlyStore&) = delete;
    RunOnlyStore& operator=(const RunOnlyStore&) = delete;

    // Ends with a separator, like the store.
    const std::string& Folder() const { return folder_; }

  private:
    std::string folder_;
};

}  // namespace sorvane
