#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Geometry.h"
#include "platform/Platform.h"
#include "settings/SlideshowSettings.h"

namespace sorvane {

// Where a fitted picture lies on a TargetSize canvas. Going in, Right and
// Bottom hold the picture's width and height.
struct PicturePlacement {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// The target size: the work area less a 10-pixel margin on each side,
// bounded by the largest picture's size side by side.
PixelSize TargetSizeFor(const Rect& workArea, PixelSize largest);

// Fits a picture into `target` (never enlarging), centred vertically and
// placed horizontally by the alignment option index (0 left, 1 centre, else right).
void FitPicture(PicturePlacement& placement, PixelSize target, int alignIndex);

// `largest` raised to the picture's size as shown (EXIF orientation applied),
// read from its header only. Unreadable pictures, other keys and sizes whose
// 24-bit buffer would leave the 32-bit range change nothing.
PixelSize LargestWith(PixelSize largest, const std::string& path);

// What a preparation run works from.
struct PreparationInput {
    std::vector<PictureEntry> Pictures;
    std::string PictureStore;      // ends with a separator
    std::string PreparedFolder;    // where the copies go; ends with a separator
    uint32_t BackgroundColor = 0;  // OLE colour
    int AlignIndex = 1;            // 0 left, 1 centre, else right
    PixelSize TargetSize;
    PixelSize LargestSize;
    // The show's current copies, with the manifest of what they were made
    // from: those whose inputs did not change are kept rather than made again.
    // Ends with a separator; empty to make every copy.
    std::string ShownFolder;
};

struct PreparationResult {
    // False when the run stopped at the start (the error message was shown):
    // a target size with no pixels, or too many, touches no picture. An empty
    // list needs no size and writes nothing.
    bool Started = false;
    // The sizes as the run left them: a run that finds no target size
    // measures the stored pictures and computes one.
    PixelSize TargetSize;
    PixelSize LargestSize;
    // "name: reason" for every picture that was read but whose copy was not written.
    std::vector<std::string> NotWritten;
    // The pictures refused as too large (already told): the page leaves them out.
    std::vector<std::string> Refused;
    // How many copies were kept from the shown folder rather than made again.
    int Kept = 0;
};

// Prepares one target-sized copy of every listed picture in PreparedFolder,
// on every core, and beside them the manifest of what each was made from; a picture larger than the
// target is reduced and its stored copy replaced (written aside, then renamed). Unreadable pictures
// are skipped. Progress is reported on the calling thread as pictures finish.
PreparationResult PreparePictures(const PreparationInput& input, Screen& screen,
                                  ColorTranslator& colors, Dialogs& dialogs);

}  // namespace sorvane
