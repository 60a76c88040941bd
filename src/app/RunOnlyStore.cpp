#include "RunOnlyStore.h"

#include <filesystem>
#include <random>
#include <system_error>

#include "platform/Error.h"
#include "platform/Translate.h"

namespace fs = std::filesystem;

namespace sorvane {

RunOnlyStore::RunOnlyStore(const std::string& store, const std::vector<PictureEntry>& pictures) {
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    std::random_device random;
    fs::path folder;
    for (int attempt = 0; attempt < 100 && folder.empty(); ++attempt) {
        const fs::path candidate = base / ("sorvane-run-" + std::to_string(random()));
        if (fs::create_directory(candidate, ec)) folder = candidate;
    }
    if (folder.empty())
        throw Error(TrArg(
            SORVANE_TR("Sorvane", "No folder for this run's pictures could be made in \"%1\""),
            {base.string()}));
    folder_ = folder.string() + "/";
    for (const PictureEntry& entry : pictures) {
        // Names are bare file names; anything else is not the store's.
        if (entry.FileName.empty() || entry.FileName.find('/') != std::string::npos) continue;
        const fs::path stored = fs::path(store + entry.FileName);
        const fs::path link = folder / entry.FileName;
        if (fs::exists(fs::symlink_status(link, ec))) continue;  // listed twice
        if (!fs::exists(stored, ec)) continue;  // skipped by the run, as in the store
        fs::create_symlink(fs::absolute(stored, ec), link, ec);
        if (ec) fs::copy_file(stored, link, ec);
    }
}

RunOnlyStore::~RunOnlyStore() {
    // remove_all takes the links, never what they point to.
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

}  // namespace sorvane
