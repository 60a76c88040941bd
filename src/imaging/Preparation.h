#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "settings/FormState.h"

namespace sorvane {

// Where a fitted picture lies on a TargetSize canvas. Going in, Right and
// Bottom hold the picture's width and height.
struct PicturePlacement {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// TargetSize := the work area less a 10-pixel margin on each side, bounded by
// LargestSize side by side.
void ComputeTargetSize(FormState& form, Screen& screen);

// Fits a picture into `target` (never enlarging), centred vertically and
// placed horizontally by the alignment option index (0 left, 1 centre, else right).
void FitPicture(PicturePlacement& placement, PixelSize target, int alignIndex);

// Raises LargestSize to the picture's size as shown (EXIF orientation
// applied), read from its header only. Unreadable pictures, other keys and
// sizes whose 24-bit buffer would leave the 32-bit range change nothing.
void MeasurePicture(FormState& form, const std::string& path);

// Where one preparation run writes, and what it could not write.
struct PrepareRun {
    std::string Folder;  // ends with a separator; empty: PreparedFolder
    // "name: reason" for every picture that was read but whose copy was not written.
    std::vector<std::string> NotWritten;
};

// Prepares one TargetSize copy of every listed picture in PreparedFolder, on
// every core; a picture larger than TargetSize is reduced and its stored copy
// replaced (written aside, then renamed). Unreadable pictures are skipped.
// Progress is reported on the calling thread as pictures finish. False when
// the run stopped at the start (the error message was shown): a TargetSize
// with no pixels, or too many, touches no picture. An empty list needs no
// size and writes nothing.
bool PreparePictures(FormState& form, Screen& screen, ColorTranslator& colors, Dialogs& dialogs,
                     PrepareRun* run = nullptr);

}  // namespace sorvane
