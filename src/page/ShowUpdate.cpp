#include "page/ShowUpdate.h"

#ifdef __linux__
#include <fcntl.h>
#endif

#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/AtomicFile.h"
#include "platform/Error.h"

namespace fs = std::filesystem;

namespace sorvane {

namespace {

// Hidden names beside "Sorvane": the page only ever reads "Sorvane/".
constexpr char PreparedName[] = "Sorvane";
constexpr char StagingName[] = ".Sorvane.new";
constexpr char OldName[] = ".Sorvane.old";

std::string Quoted(const fs::path& p) { return "\"" + p.string() + "\""; }

[[noreturn]] void Fail(const std::string& text) { throw Error(text); }

// Copies of the old show that this build did not write stay with the show:
// a picture that could not be read keeps its earlier copy. A hard link costs
// no room; where links are not possible the file is copied, and one that
// cannot be kept is left out (the page then shows the picture as missing, as
// before it was ever prepared).
void KeepOldCopies(const fs::path& prepared, const fs::path& staging) {
    std::error_code ec;
    if (!fs::is_directory(fs::symlink_status(prepared, ec))) return;
    for (fs::directory_iterator it(prepared, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code e;
        if (!it->is_regular_file(e)) continue;
        const fs::path to = staging / it->path().filename();
        if (fs::exists(fs::symlink_status(to, e))) continue;
        fs::create_hard_link(it->path(), to, e);
        if (e) {
            fs::copy_file(it->path(), to, e);
            if (e) fs::remove(to, e);
        }
    }
}

}  // namespace

ShowUpdate::ShowUpdate(std::string pageFolder) : pageFolder_(std::move(pageFolder)) {
    if (pageFolder_.empty())
        Fail("The pictures folder is not known, so the slide show cannot be written.");
    RecoverInterruptedUpdate(pageFolder_);
    // What writes cut short by a crash left; a minute's grace for a write of
    // another program's that needs no lock (adding a picture).
    RemoveLeftoverTempFiles(pageFolder_, std::chrono::seconds(60));
    RemoveLeftoverTempFiles((fs::path(pageFolder_) / PreparedName).string(),
                            std::chrono::seconds(60));
    const fs::path staging = fs::path(pageFolder_) / StagingName;
    std::error_code ec;
    fs::remove_all(staging, ec);  // what a build that was cut short left
    if (!fs::create_directory(staging, ec) || ec)
        Fail("The slide show's pictures cannot be written in " + Quoted(fs::path(pageFolder_)) +
             ": " + (ec ? ec.message() : "a file of that name is in the way") + ".");
}

bool InterruptedUpdateLeftAside(const std::string& pageFolder) {
    if (pageFolder.empty()) return false;
    const fs::path folder(pageFolder);
    std::error_code ec;
    return !fs::exists(fs::symlink_status(folder / PreparedName, ec)) &&
           fs::is_directory(fs::symlink_status(folder / OldName, ec));
}

std::string RecoverInterruptedUpdate(const std::string& pageFolder) {
    // A crash between moving the old copies aside and putting the new ones
    // in place: the old ones come back, matching the page still there.
    if (!InterruptedUpdateLeftAside(pageFolder)) return {};
    const fs::path folder(pageFolder);
    const fs::path prepared = folder / PreparedName, old = folder / OldName;
    std::error_code ec;
    fs::rename(old, prepared, ec);
    if (ec)
        return "The slide show's pictures were left aside by a build that was cut short, in " +
               Quoted(old) + ", and could not be put back: " + ec.message() + ".";
    SyncFolder(pageFolder);
    return "A build of the slide show was cut short; its earlier pictures were put back.";
}

ShowUpdate::~ShowUpdate() {
    if (committed_) return;
    std::error_code ec;
    fs::remove_all(fs::path(pageFolder_) / StagingName, ec);
}

std::string ShowUpdate::StagingFolder() const {
    return (fs::path(pageFolder_) / StagingName).string() + "/";
}

namespace {

// Swaps two folders in one step where the file system can; false where it
// can't (the caller then renames twice).
bool Exchange(const fs::path& a, const fs::path& b) {
#ifdef __linux__
    return renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0;
#else
    (void)a;
    (void)b;
    return false;
#endif
}

}  // namespace

void ShowUpdate::Commit(const std::string& pageName, std::string_view pageText,
                        const std::string& configPath, std::string_view configText) {
    const fs::path folder(pageFolder_);
    const fs::path prepared = folder / PreparedName, staging = folder / StagingName,
                   old = folder / OldName, page = folder / pageName;
    std::error_code ec;

    // What would stop a swap half way is refused before anything moves.
    const fs::file_status preparedStatus = fs::symlink_status(prepared, ec);
    if (fs::exists(preparedStatus) && !fs::is_directory(preparedStatus))
        Fail("The slide show's pictures cannot be put in place: " + Quoted(prepared) +
             " is not a folder. Move it elsewhere and apply again.");
    if (fs::is_directory(fs::symlink_status(page, ec)))
        Fail("The page cannot be written: " + Quoted(page) + " is a folder.");
    const fs::file_status configStatus = fs::symlink_status(configPath, ec);
    if (fs::exists(configStatus) && !fs::is_regular_file(configStatus))
        Fail("Your settings cannot be saved: " + Quoted(configPath) +
             " is not a regular file. Move it elsewhere and apply again.");

    KeepOldCopies(prepared, staging);
    // Written in full (a full disk fails here) before anything is replaced.
    PendingFile newPage(page.string(), pageText);
    std::optional<PendingFile> newConfig;
    try {
        newConfig.emplace(configPath, configText);
    } catch (const Error& e) {
        throw Error(std::string("Your settings could not be saved: ") + e.what());
    }
    std::optional<std::string> oldPage;
    try {
        if (fs::exists(page, ec)) oldPage = ReadWholeFile(page.string());
    } catch (const Error&) {
    }

    // The copies: in one exchange where the file system can, so no moment
    // is without a Sorvane folder; else aside, then in.
    fs::remove_all(old, ec);
    const bool hadPrepared = fs::exists(preparedStatus);
    const bool exchanged = hadPrepared && Exchange(staging, prepared);
    if (!exchanged) {
        if (hadPrepared) {
            fs::rename(prepared, old, ec);
            if (ec) Fail("The old slide show could not be replaced: " + ec.message() + ".");
        }
        fs::rename(staging, prepared, ec);
        if (ec) {
            const std::string why = ec.message();
            std::error_code e;
            if (hadPrepared) fs::rename(old, prepared, e);
            if (e)
                throw ShowNotRestored("The new slide show could not be put in place (" + why +
                                      "), and the earlier pictures are still in " + Quoted(old) +
                                      " (" + e.message() + ").");
            Fail("The new slide show could not be put in place: " + why + ".");
        }
    }
    SyncFolder(pageFolder_);
    // Where the earlier copies now are, to put back or to delete.
    const fs::path earlier = exchanged ? staging : old;
    auto putOldBack = [&](const std::string& why) {
        std::error_code e;
        if (exchanged) {
            if (!Exchange(staging, prepared)) e = std::make_error_code(std::errc::io_error);
        } else {
            fs::rename(prepared, staging, e);
            if (!e && hadPrepared) fs::rename(old, prepared, e);
        }
        SyncFolder(pageFolder_);
        if (e)
            throw ShowNotRestored(
                why +
                " The new pictures stay in place; the page and settings are the earlier ones.");
    };
    try {
        newPage.Commit();
    } catch (const Error& e) {
        putOldBack(e.what());
        throw;
    }
    try {
        newConfig->Commit();
    } catch (const Error& e) {
        const std::string why = std::string("Your settings could not be saved: ") + e.what();
        try {
            if (oldPage)
                WriteFileAtomically(page.string(), *oldPage);
            else
                fs::remove(page, ec);
        } catch (const Error&) {
            throw ShowNotRestored(why + " The new page and pictures stay in place.");
        }
        putOldBack(why);
        throw Error(why);
    }
    committed_ = true;
    SyncFolder(pageFolder_);
    fs::remove_all(earlier, ec);
}

}  // namespace sorvane
