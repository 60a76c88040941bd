#include "Preparation.h"

#include <algorithm>
#include <thread>

#include "PictureFormat.h"
#include "PictureHeader.h"
#include "PictureJob.h"
#include "PreparedManifest.h"
#include "platform/Error.h"
#include "platform/Translate.h"

namespace sorvane {

namespace {

constexpr const char* kPrepareErrorText =
    "There was an error preparing the images. If this error continues please notify the author.";

void ShowPrepareError(Dialogs& dialogs) {
    dialogs.MessageBox(kPrepareErrorText, MsgButtons::Ok, MsgIcon::Critical, "Internal Error");
}

}  // namespace

PixelSize LargestWith(PixelSize largest, const std::string& path) {
    // Measured as shown: a phone's portrait photo counts as tall.
    const std::optional<PixelSize> size = ReadPictureSize(path);
    if (!size) return largest;
    return {std::max(largest.Width, size->Width), std::max(largest.Height, size->Height)};
}

PreparationResult PreparePictures(const PreparationInput& input, Screen& screen,
                                  ColorTranslator& colors, Dialogs& dialogs) {
    PreparationResult result;
    result.TargetSize = input.TargetSize;
    result.LargestSize = input.LargestSize;
    Progress& progress = dialogs.ProgressWindow();
    progress.SetLabel(SORVANE_TR("Sorvane", "Creating Images..."));
    progress.Repaint();
    // Nothing to prepare needs no size: a first start can still write its empty show.
    if (input.Pictures.empty()) {
        result.Started = true;
        return result;
    }
    PixelSize& target = result.TargetSize;
    // A side below 0 (a stored size from a bad work area) is as good as unknown.
    if (target.Width <= 0 || target.Height <= 0) {
        // Only the target size outlives a run, so pictures added in a run that
        // closed without a build come back unmeasured; measure the stored
        // copies rather than fail on pictures that are plainly there.
        PixelSize& largest = result.LargestSize;
        if (largest.Width <= 0 || largest.Height <= 0)
            for (const auto& entry : input.Pictures)
                largest = LargestWith(largest, input.PictureStore + entry.FileName);
        target = TargetSizeFor(screen.WorkArea(), largest);
    }

    const uint32_t color =
        colors.Translate(input.BackgroundColor).value_or(FallbackBackgroundColor);
    // Built once; each picture's canvas is a copy. A target with no pixels (nothing measured,
    // nothing stored) or too many ends here, before any picture is touched.
    RgbImage background;
    try {
        background = RgbImage(target.Width, target.Height);
    } catch (const std::exception&) {
        ShowPrepareError(dialogs);
        return result;
    }
    background.Fill(color);

    const auto& pictures = input.Pictures;
    const int count = static_cast<int>(pictures.size());
    progress.SetMaximum(count - 1);
    int shown = 0;
    if (count > 0) progress.SetValue(0);

    PictureJob job;
    job.PictureStore = input.PictureStore;
    job.PreparedFolder = input.PreparedFolder;
    job.Target = target;
    job.AlignIndex = input.AlignIndex;
    job.BackgroundColor = color;
    job.Background = &background;
    const std::string jobKey = PreparedManifest::JobKey(target, color, input.AlignIndex);
    const PreparedManifest shownKeys = input.ShownFolder.empty()
                                           ? PreparedManifest(jobKey)
                                           : PreparedManifest::Read(input.ShownFolder, jobKey);
    job.ShownFolder = input.ShownFolder;
    job.Shown = &shownKeys;
    std::vector<std::string> names;
    names.reserve(pictures.size());
    for (const PictureEntry& entry : pictures) names.push_back(entry.FileName);

    // The bar counts pictures as they finish; it stops at its maximum.
    const std::vector<PictureResult> results = PreparePictureList(
        job, names, std::max(1u, std::thread::hardware_concurrency()), [&](int finished) {
            const int value = std::min(finished, count - 1);
            if (value > shown) {
                shown = value;
                progress.SetValue(value);
            }
            progress.Repaint();
        });
    PreparedManifest made(jobKey);
    for (size_t i = 0; i < results.size(); ++i) {
        if (results[i].Outcome == PictureOutcome::NotWritten)
            result.NotWritten.push_back(names[i] + ": " + results[i].Reason);
        if (results[i].Reused) ++result.Kept;
        if (results[i].Outcome == PictureOutcome::Refused) result.Refused.push_back(names[i]);
        if (results[i].Made) made.Set(names[i], *results[i].Made);
    }
    // Without it the next run only makes every copy again: no reason to fail this one.
    try {
        made.Write(input.PreparedFolder);
    } catch (const Error&) {
    }

    // A picture too large to prepare is named to the user: its slide would
    // otherwise be missing or out of date without a word.
    std::string refused;
    for (const PictureResult& picture : results)
        if (picture.Outcome == PictureOutcome::Refused) refused += picture.Reason + "\n";
    if (!refused.empty())
        dialogs.MessageBox(refused.substr(0, refused.size() - 1), MsgButtons::Ok,
                           MsgIcon::Exclamation, SORVANE_TR("Sorvane", "Picture Too Large"));

    progress.SetValue(0);
    result.Started = true;
    return result;
}

}  // namespace sorvane
