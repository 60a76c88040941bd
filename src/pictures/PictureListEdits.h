#pragma once

#include <vector>

#include "settings/FormState.h"

namespace sorvane {

// The list edits behind the Remove, Move Up and Move Down buttons. Each runs in
// one pass over the list, so even a full list of 32 767 entries with any
// selection is edited at once. The list's current entry (ListIndex) follows
// its picture, or becomes -1 when that picture is removed.

// Removes every selected entry. Its prepared copy and its stored copy are
// deleted first, unless an entry that stays names the same file. Failing
// deletions are ignored.
void RemoveSelectedPictures(FormState& form);

// Moves every selected entry one place up (down). A selected block moves as a
// block; the first (last) entry never moves past the end. Moved entries stay
// selected, the others keep their selection.
void MoveSelectedUp(std::vector<PictureEntry>& pictures, int& listIndex);
void MoveSelectedDown(std::vector<PictureEntry>& pictures, int& listIndex);

// The list buttons as the current entry's position allows.
void SetListButtons(ControlState& controls, int listIndex, int count);

}  // namespace sorvane
