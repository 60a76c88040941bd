#include "pictures/PictureListEdits.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <unordered_set>
#include <utility>

#include "settings/ConfigFile.h"

namespace fs = std::filesystem;

namespace sorvane {

namespace {

// Deletes folder + name when it is a file. Names come from config.dat too, so
// one that is not a plain file name never reaches the file system: an empty
// name would otherwise delete the folder itself, "../x" a file outside it.
void DeleteEntryFile(const std::string& folder, const std::string& name) {
    if (!IsBareFileName(name)) return;
    std::error_code ec;
    const fs::path path = folder + name;
    if (fs::is_directory(fs::symlink_status(path, ec))) return;
    fs::remove(path, ec);
}

}  // namespace

void RemoveSelectedPictures(std::vector<PictureEntry>& pictures, int& listIndex,
                            const std::string& preparedFolder, const std::string& pictureStore) {
    std::unordered_set<std::string> stillNamed;
    for (const auto& entry : pictures)
        if (!entry.Selected) stillNamed.insert(entry.FileName);

    std::unordered_set<std::string> deleted;
    for (size_t i = pictures.size(); i-- > 0;) {
        const auto& entry = pictures[i];
        if (!entry.Selected || stillNamed.contains(entry.FileName)) continue;
        if (!deleted.insert(entry.FileName).second) continue;
        DeleteEntryFile(preparedFolder, entry.FileName);
        DeleteEntryFile(pictureStore, entry.FileName);
    }

    int newListIndex = -1;
    size_t kept = 0;
    for (size_t i = 0; i < pictures.size(); ++i) {
        if (pictures[i].Selected) continue;
        if (static_cast<int>(i) == listIndex) newListIndex = static_cast<int>(kept);
        if (kept != i) pictures[kept] = std::move(pictures[i]);
        ++kept;
    }
    pictures.resize(kept);
    listIndex = newListIndex;
}

// Visiting from the top, each selected entry swaps with the one above it. An
// entry that has just moved is never visited again, so a block of selected
// neighbours moves up by one and the entry above it ends up below it.
void MoveSelectedUp(std::vector<PictureEntry>& pictures, int& listIndex) {
    for (int i = 1; i < static_cast<int>(pictures.size()); ++i) {
        if (!pictures[i].Selected) continue;
        std::swap(pictures[i - 1], pictures[i]);
        if (listIndex == i)
            listIndex = i - 1;
        else if (listIndex == i - 1)
            listIndex = i;
    }
}

void MoveSelectedDown(std::vector<PictureEntry>& pictures, int& listIndex) {
    for (int i = static_cast<int>(pictures.size()) - 2; i >= 0; --i) {
        if (!pictures[i].Selected) continue;
        std::swap(pictures[i], pictures[i + 1]);
        if (listIndex == i)
            listIndex = i + 1;
        else if (listIndex == i + 1)
            listIndex = i;
    }
}

ListButtons ListButtonsFor(int listIndex, int count) {
    return {true, listIndex > 0, listIndex < count - 1};
}

}  // namespace sorvane
