#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/SystemColors.h"
#include "settings/TransitionNames.h"

namespace sorvane {

// One list entry: the picture's bare file name (its copy lies in the picture
// store) and its transition. `Selected` is the list box's selection of the
// entry: it travels with the entry when entries move, and is never stored.
struct PictureEntry {
    std::string FileName;
    int32_t TransitionIndex = TransitionNone;
    bool Selected = false;

    bool operator==(const PictureEntry&) const = default;
};

// The background (RGB) used when the colour does not translate: the prepared
// copies and the page both take it, so the pictures never sit in a box.
inline constexpr uint32_t FallbackBackgroundColor = 0x404040;

// What the page shows.
struct SlideshowSettings {
    std::vector<PictureEntry> Pictures;          // list order is show order
    uint32_t BackgroundColor = OleDesktopColor;  // OLE colour
    std::string DurationText = "6";              // seconds, exactly as typed
    std::string Alignment;  // "left", "center", "right", empty, or a stored word kept as read
    bool Changed = false;   // edits not yet written to the page
};

// The alignment option a word selects: 0 left, 2 right, 1 (centre) for any
// other word, the empty one included. The word is the setting; the option is
// always derived from it.
inline int AlignIndexOf(const std::string& alignment) {
    return alignment == "left" ? 0 : alignment == "right" ? 2 : 1;
}
// The word an option stands for.
inline const char* AlignmentWord(int alignIndex) {
    return alignIndex == 0 ? "left" : alignIndex == 1 ? "center" : "right";
}

}  // namespace sorvane
