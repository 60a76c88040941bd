#include "pictures/PictureFileCopy.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace sorvane {

namespace {

CopyResult Failed(const std::string& reason) { return {CopyStatus::Failed, reason}; }

}  // namespace

CopyResult CopyPictureFile(const std::string& source, const std::string& target,
                           bool failIfExists) {
    std::error_code ec;
    const fs::path to(target);
    if (failIfExists && fs::exists(fs::symlink_status(to, ec)))
        return {CopyStatus::TargetExists, {}};

    const fs::file_status from = fs::status(source, ec);
    if (ec) return Failed(ec.message());
    if (!fs::is_regular_file(from)) return Failed("it is not a file");

    const fs::path temp = to.parent_path() / ("." + to.filename().string() + ".sorvane-part");
    std::error_code ignored;
    fs::copy_file(source, temp, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        fs::remove(temp, ignored);
        return Failed(ec.message());
    }
    // A read-only original must not give a stored copy that the preparation
    // cannot rewrite later.
    fs::permissions(temp, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                    ignored);
    fs::rename(temp, to, ec);
    if (ec) {
        fs::remove(temp, ignored);
        return Failed(ec.message());
    }
    return {CopyStatus::Copied, {}};
}

}  // namespace sorvane
