#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "PreparedManifest.h"
#include "RgbImage.h"
#include "platform/Geometry.h"

namespace sorvane {

class MemoryBudget;

// What every picture of one preparation run shares; read-only while it runs.
struct PictureJob {
    std::string PictureStore;    // ends with a separator
    std::string PreparedFolder;  // ends with a separator
    PixelSize Target;
    int AlignIndex = 1;
    uint32_t BackgroundColor = 0;          // COLORREF, for transparency
    const RgbImage* Background = nullptr;  // Target-sized, already filled
    MemoryBudget* Budget = nullptr;        // shared by the workers; none: the process's own
    // The show's current copies and what they were made from (this run's
    // inputs, else empty): a copy whose inputs are unchanged is linked into
    // PreparedFolder instead of being made again.
    std::string ShownFolder{};  // ends with a separator; empty when there is none
    const PreparedManifest* Shown = nullptr;
};

enum class PictureOutcome {
    Prepared,    // the prepared copy was written
    Skipped,     // missing, unreadable, or not a picture: nothing written
    NotWritten,  // decoded, but the overlay or the prepared copy failed
    Refused,     // too large to prepare within the memory budget: nothing written
};

struct PictureResult {
    PictureOutcome Outcome = PictureOutcome::Skipped;
    bool Reduced = false;          // the picture was larger than the target and was resampled
    bool StoredRewritten = false;  // the reduced picture replaced the stored copy
    std::string Reason;            // why a prepared copy was not written, or a picture refused
    bool Reused = false;           // the show's current copy was kept
    // What to keep in the manifest for the copy written; none when a later run
    // must make it again (the stored copy could not be rewritten, or changed meanwhile).
    std::optional<PreparedManifest::Entry> Made{};
};

// Prepares one picture: decode, fit, reduce (rewriting the stored copy), lay
// it on the background and write the prepared copy. Never throws.
PictureResult PreparePicture(const PictureJob& job, const std::string& fileName);

// Prepares every named picture, `workers` at a time (1: one after another on
// this thread). Results come in list order and are the same for any number
// of workers. `finished` is called on this thread, with the number of
// pictures done so far, whenever that number grows, and now and then (same
// number) while it waits, so a window can keep painting.
std::vector<PictureResult> PreparePictureList(const PictureJob& job,
                                              const std::vector<std::string>& fileNames,
                                              unsigned workers,
                                              const std::function<void(int finished)>& finished);

}  // namespace sorvane
