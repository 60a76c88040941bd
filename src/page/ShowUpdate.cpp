#include "page/ShowUpdate.h"

#ifdef __linux__
#include <fcntl.h>
#endif

#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "platform/Translate.h"

namespace fs = std::filesystem;

namespace sorvane {

namespace {

// Hidden names beside "Sorvane": the page only ever reads "Sorvane/".
constexpr char PreparedName[] = "Sorvane";
constexpr char StagingName[] = ".Sorvane.new";
constexpr char OldName[] = ".Sorvane.old";

[[noreturn]] void Fail(const std::string& text) { throw Error(text); }

// A marked text looked up with its placeholders filled.
std::string Text(const char* text, const std::vector<std::string>& values) {
    return TrArg(Tr("Sorvane", text), values);
}

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
        Fail(SORVANE_TR("Sorvane",
                        "The pictures folder is not known, so the slide show cannot be written."));
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
        Fail(Text(SORVANE_TR_NOOP("Sorvane",
                                  "The slide show's pictures cannot be written in \"%1\": %2."),
                  {pageFolder_, ec ? ec.message()
                                   : SORVANE_TR("Sorvane", "a file of that name is in the way")}));
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
        return Text(SORVANE_TR_NOOP("Sorvane",
                                    "The slide show's pictures were left aside by a build that was "
                                    "cut short, in \"%1\", and could not be put back: %2."),
                    {old.string(), ec.message()});
    SyncFolder(pageFolder);
    return SORVANE_TR(
        "Sorvane", "A build of the slide show was cut short; its earlier pictures were put back.");
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

constexpr const char* SavedNot = SORVANE_TR_NOOP("Sorvane", "Your settings could not be saved: %1");

void ShowUpdate::Commit(const std::string& pageName, std::string_view pageText,
                        const std::string& configPath, std::string_view configText) {
    const fs::path folder(pageFolder_);
    const fs::path prepared = folder / PreparedName, staging = folder / StagingName,
                   old = folder / OldName, page = folder / pageName;
    std::error_code ec;

    // What would stop a swap half way is refused before anything moves.
    const fs::file_status preparedStatus = fs::symlink_status(prepared, ec);
    if (fs::exists(preparedStatus) && !fs::is_directory(preparedStatus))
        Fail(Text(SORVANE_TR_NOOP("Sorvane",
                                  "The slide show's pictures cannot be put in place: \"%1\" "
                                  "is not a folder. Move it elsewhere and apply again."),
                  {prepared.string()}));
    if (fs::is_directory(fs::symlink_status(page, ec)))
        Fail(Text(SORVANE_TR_NOOP("Sorvane", "The page cannot be written: \"%1\" is a folder."),
                  {page.string()}));
    const fs::file_status configStatus = fs::symlink_status(configPath, ec);
    if (fs::exists(configStatus) && !fs::is_regular_file(configStatus))
        Fail(Text(SORVANE_TR_NOOP("Sorvane",
                                  "Your settings cannot be saved: \"%1\" is not a regular "
                                  "file. Move it elsewhere and apply again."),
                  {configPath}));

    KeepOldCopies(prepared, staging);
    // Written in full (a full disk fails here) before anything is replaced.
    PendingFile newPage(page.string(), pageText);
    std::optional<PendingFile> newConfig;
    try {
        newConfig.emplace(configPath, configText);
    } catch (const Error& e) {
        throw Error(Text(SavedNot, {e.what()}));
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
            if (ec)
                Fail(Text(
                    SORVANE_TR_NOOP("Sorvane", "The old slide show could not be replaced: %1."),
                    {ec.message()}));
        }
        fs::rename(staging, prepared, ec);
        if (ec) {
            const std::string why = ec.message();
            std::error_code e;
            if (hadPrepared) fs::rename(old, prepared, e);
            if (e)
                throw ShowNotRestored(
                    Text(SORVANE_TR_NOOP("Sorvane",
                                         "The new slide show could not be put in place (%1), "
                                         "and the earlier pictures are still in \"%2\" (%3)."),
                         {why, old.string(), e.message()}));
            Fail(Text(
                SORVANE_TR_NOOP("Sorvane", "The new slide show could not be put in place: %1."),
                {why}));
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
                Text(SORVANE_TR_NOOP("Sorvane",
                                     "%1 The new pictures stay in place; the page and "
                                     "settings are the earlier ones."),
                     {why}));
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
        const std::string why = Text(SavedNot, {e.what()});
        try {
            if (oldPage)
                WriteFileAtomically(page.string(), *oldPage);
            else
                fs::remove(page, ec);
        } catch (const Error&) {
            throw ShowNotRestored(Text(
                SORVANE_TR_NOOP("Sorvane", "%1 The new page and pictures stay in place."), {why}));
        }
        putOldBack(why);
        throw Error(why);
    }
    committed_ = true;
    SyncFolder(pageFolder_);
    fs::remove_all(earlier, ec);
}

}  // namespace sorvane
