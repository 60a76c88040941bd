#pragma once

#include <vector>

#include <string>

#include "settings/SlideshowSettings.h"

namespace sorvane {

// The list edits behind the Remove, Move Up and Move Down buttons. Each runs in
// one pass over the list, so even a full list of 32 767 entries with any
// selection is edited at once. The list's current entry (ListIndex) follows
// its picture, or becomes -1 when that picture is removed.

// Removes every selected entry. Its prepared copy (in preparedFolder) and its
// stored copy (in pictureStore) are deleted first, unless an entry that stays
// names the same file. Failing deletions are ignored. Both folders end with a
// separator.
void RemoveSelectedPictures(std::vector<PictureEntry>& pictures, int& listIndex,
                            const std::string& preparedFolder, const std::string& pictureStore);

// Moves every selected entry one place up (down). A selected block moves as a
// block; the first (last) entry never moves past the end. Moved entries stay
// selected, the others keep their selection.
void MoveSelectedUp(std::vector<PictureEntry>& pictures, int& listIndex);
void MoveSelectedDown(std::vector<PictureEntry>& pictures, int& listIndex);

// Which list buttons the current entry's position allows.
struct ListButtons {
    bool Remove = false;
    bool MoveUp = false;
    bool MoveDown = false;
};
ListButtons ListButtonsFor(int listIndex, int count);

}  // namespace sorvane
