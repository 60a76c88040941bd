#include "PictureJob.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>

#include "ColourProfile.h"
#include "Orientation.h"
#include "PictureCost.h"
#include "PictureDecoder.h"
#include "PictureEncoder.h"
#include "PictureHeader.h"
#include "Preparation.h"
#include "Resampler.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "platform/FileIdentity.h"

namespace fs = std::filesystem;

namespace sorvane {

namespace {

// A prepared copy can always be made again from its stored copy, so it skips
// the flush to disk that the stored copy gets; it is still written aside and renamed, so the page
// never shows a half-written picture. Returns why it failed, or "".
std::string WritePreparedCopy(const std::string& path, const std::string& bytes) {
    try {
        WriteFileAtomically(path, bytes, Durability::Unflushed);
        return {};
    } catch (const Error& e) {
        return e.what();
    }
}

// Later runs then find the picture already fitting. A failed write leaves the
// old stored copy whole; the run goes on with the reduced one.
bool RewriteStored(const std::string& storedPath, const std::function<std::string()>& encode) {
    try {
        WriteFileAtomically(storedPath, encode());
        return true;
    } catch (const Error&) {
    }
    return false;
}

bool RewriteStored(const std::string& storedPath, const RgbView& picture, PictureFormat key,
                   const std::string& icc) {
    return RewriteStored(storedPath, [&] { return EncodePicture(picture, key, icc); });
}

// The background everywhere but the w × h area at (x, y), which is left
// unset for the picture to be written into; that area lies inside.
RgbImage CanvasAround(const RgbImage& background, int32_t x, int32_t y, int32_t w, int32_t h) {
    RgbImage canvas(background.Width(), background.Height());
    const size_t left = static_cast<size_t>(x) * 3, inner = static_cast<size_t>(w) * 3;
    for (int32_t row = 0; row < canvas.Height(); ++row) {
        const uint8_t* from = background.Row(row);
        uint8_t* to = canvas.Row(row);
        if (row < y || row >= y + h) {
            std::memcpy(to, from, canvas.Stride());
        } else {
            std::memcpy(to, from, left);
            std::memcpy(to + left + inner, from + left + inner, canvas.Stride() - left - inner);
        }
    }
    return canvas;
}

void WriteCanvas(const PictureJob& job, const std::string& fileName, const RgbImage& canvas,
                 PictureFormat key, PictureResult& result) {
    result.Reason = WritePreparedCopy(job.PreparedFolder + fileName, EncodePicture(canvas, key));
    result.Outcome = result.Reason.empty() ? PictureOutcome::Prepared : PictureOutcome::NotWritten;
}

// A sliver (say 20000 × 2) rounds to no pixels on one side; it keeps one so
// it still shows, and is placed as that size will be on every later run.
void KeepSliver(PicturePlacement& place, const PictureJob& job) {
    const int32_t nw = place.Right - place.Left, nh = place.Bottom - place.Top;
    if (nw >= 1 && nh >= 1) return;
    place = {0, 0, std::max(nw, 1), std::max(nh, 1)};
    FitPicture(place, job.Target, job.AlignIndex);
}

std::string TooLargeText(const std::string& fileName, const PictureHeader& header) {
    const PixelSize size = header.Upright();
    return "The picture \"" + fileName + "\" (" + std::to_string(size.Width) + " x " +
           std::to_string(size.Height) +
           " pixels) is too large to prepare in the memory available; it was left as it was.";
}

// A PNG with transparency: the stored copy keeps it (RGBA), and only the
// canvas lays it over the background, so a later colour shows through.
std::optional<PictureResult> PrepareTransparent(const PictureJob& job, const std::string& fileName,
                                                const std::string& bytes,
                                                const PicturePlacement& place, bool shrink,
                                                const std::string& icc,
                                                const std::optional<ToSrgb>& toSrgb,
                                                bool stopAfterRewrite) {
    const int32_t nw = place.Right - place.Left, nh = place.Bottom - place.Top;
    std::optional<RgbaImage> picture = DecodePngRgba(bytes, {nw, nh});
    if (!picture) return std::nullopt;
    PictureResult result;
    result.Reduced = shrink;
    if (shrink)
        result.StoredRewritten = RewriteStored(job.PictureStore + fileName,
                                               [&] { return EncodePngRgba(*picture, icc); });
    if (result.StoredRewritten && stopAfterRewrite) return result;
    if (toSrgb) toSrgb->ApplyRgba(picture->Data(), picture->Stride(), nw, nh);
    RgbImage canvas = job.Background->Clone();
    const std::optional<RgbTarget> area = canvas.Area(place.Left, place.Top, nw, nh);
    if (!area) {
        result.Outcome = PictureOutcome::NotWritten;
        result.Reason = "it could not be laid on the background";
        return result;
    }
    picture->ComposeInto(job.BackgroundColor, *area);
    picture.reset();
    WriteCanvas(job, fileName, canvas, PictureFormat::Png, result);
    return result;
}

// With stopAfterRewrite, a picture whose stored copy was rewritten returns
// there, with no copy written (outcome Skipped): the caller makes the copy from
// the stored copy as written.
PictureResult Prepare(const PictureJob& job, const std::string& fileName, bool stopAfterRewrite) {
    PictureResult result;
    const PictureFormat key = FormatKeyOf(fileName);
    if (key == PictureFormat::Other) return result;
    const std::string storedPath = job.PictureStore + fileName;
    std::optional<std::string> bytes = ReadWholeFileIfPossible(storedPath);
    if (!bytes) return result;
    const std::optional<PictureHeader> header = ReadPictureHeaderFromBytes(*bytes, key);
    if (!header) return result;

    const PixelSize upright = header->Upright();
    PicturePlacement place{0, 0, upright.Width, upright.Height};
    FitPicture(place, job.Target, job.AlignIndex);
    KeepSliver(place, job);
    const int32_t nw = place.Right - place.Left;
    const int32_t nh = place.Bottom - place.Top;
    const bool shrink = nh < upright.Height || nw < upright.Width;
    const RgbImage& background = *job.Background;

    // Pictures prepared at the same time share a memory budget; one that can
    // never fit in it is refused with a message, before anything is decoded.
    const PictureFacts facts = ReadPictureFacts(*bytes);
    const size_t peak = PeakBytes(facts, bytes->size(), {header->Width, header->Height}, {nw, nh},
                                  shrink, job.Target);
    MemoryBudget& budget = job.Budget ? *job.Budget : PreparationBudget();
    if (peak > budget.Capacity()) {
        result.Outcome = PictureOutcome::Refused;
        result.Reason = TooLargeText(fileName, *header);
        return result;
    }
    const BudgetHold hold(budget, peak);

    // The stored copy keeps the picture's own profile; the prepared one is sRGB, as a page shows
    // it.
    const std::string icc = EmbeddedIccProfile(*bytes);
    const std::optional<ToSrgb> toSrgb = ToSrgb::For(icc);

    if (key == PictureFormat::Png && facts.Png && facts.Transparent && header->Orientation == 0)
        if (auto done = PrepareTransparent(job, fileName, *bytes, place, shrink, icc, toSrgb,
                                           stopAfterRewrite))
            return *done;

    // An upright picture that is reduced anyway is resampled straight into its
    // place on the canvas, and its stored copy encoded from there: no buffer
    // of its own and no copy onto the canvas. The bytes are the same as below.
    if (shrink && header->Orientation == 0 && place.Left >= 0 && place.Top >= 0 &&
        static_cast<int64_t>(place.Left) + nw <= background.Width() &&
        static_cast<int64_t>(place.Top) + nh <= background.Height()) {
        RgbImage canvas = CanvasAround(background, place.Left, place.Top, nw, nh);
        const RgbTarget area = canvas.Area(place.Left, place.Top, nw, nh).value();
        if (!DecodeReducedInto(*bytes, key, area, job.BackgroundColor)) return result;
        bytes.reset();
        result.Reduced = true;
        result.StoredRewritten = RewriteStored(storedPath, area.View(), key, icc);
        if (result.StoredRewritten && stopAfterRewrite) return result;
        if (toSrgb) toSrgb->Apply(area);
        WriteCanvas(job, fileName, canvas, key, result);
        return result;
    }

    // Resampling happens before turning upright: fewer pixels to turn.
    const bool swap = SwapsSides(header->Orientation);
    const PixelSize rawTarget = !shrink ? PixelSize{header->Width, header->Height}
                                : swap  ? PixelSize{nh, nw}
                                        : PixelSize{nw, nh};
    std::optional<RgbImage> decoded =
        shrink ? DecodeReduced(*bytes, key, rawTarget, job.BackgroundColor)
               : DecodePicture(*bytes, key, rawTarget, job.BackgroundColor);
    bytes.reset();
    if (!decoded) return result;
    RgbImage picture = std::move(*decoded);
    result.Reduced = shrink;
    // A decoder that disagrees with the header gets the size the header promised.
    if (picture.Width() != rawTarget.Width || picture.Height() != rawTarget.Height)
        picture = Resample(picture, rawTarget.Width, rawTarget.Height);
    if (header->Orientation != 0) picture = Reoriented(picture, header->Orientation);

    if (shrink) result.StoredRewritten = RewriteStored(storedPath, picture.View(), key, icc);
    if (result.StoredRewritten && stopAfterRewrite) return result;
    if (toSrgb) toSrgb->Apply(picture.Target());

    RgbImage canvas = background.Clone();
    if (!canvas.Overlay(picture, place.Left, place.Top)) {
        result.Outcome = PictureOutcome::NotWritten;
        result.Reason = "it could not be laid on the background";
        return result;
    }
    picture = RgbImage();
    WriteCanvas(job, fileName, canvas, key, result);
    return result;
}

// Links the show's current copy into this run's folder when it was made from
// the same inputs and is still as it was written. `stored` is the stored
// copy's identity now.
bool KeepShownCopy(const PictureJob& job, const std::string& fileName, const std::string& stored,
                   PictureResult& result) {
    const PreparedManifest::Entry* entry = job.Shown->Find(fileName);
    if (!entry || entry->Stored != stored) return false;
    const std::string shown = job.ShownFolder + fileName;
    if (FileContentIdentityOf(shown) != entry->Copy) return false;
    const fs::path to(job.PreparedFolder + fileName);
    std::error_code ec;
    // A run into the shown folder itself (the preview) leaves the copy where it is.
    if (!fs::equivalent(shown, to, ec) || ec) fs::remove(to, ec);
    if (!fs::exists(to, ec)) fs::create_hard_link(shown, to, ec);
    if (ec) {
        ec.clear();
        fs::copy_file(shown, to, ec);
        if (ec) {
            fs::remove(to, ec);
            return false;
        }
    }
    const std::optional<std::string> copy = FileContentIdentityOf(to.string());
    if (!copy) return false;
    result.Outcome = PictureOutcome::Prepared;
    result.Reused = true;
    result.Made = PreparedManifest::Entry{stored, *copy};
    return true;
}

// Prepares the picture; a reduced one is prepared again from its rewritten
// stored copy, as every later run prepares it, so a run that changes nothing
// writes the same bytes. Settled: the copy is the one a later run would make.
PictureResult PrepareSettled(const PictureJob& job, const std::string& fileName, bool& settled) {
    PictureResult result = Prepare(job, fileName, true);
    settled = !result.Reduced;
    if (!result.StoredRewritten || result.Outcome != PictureOutcome::Skipped) return result;
    PictureResult again = Prepare(job, fileName, false);
    settled = !again.Reduced;
    again.Reduced = true;
    again.StoredRewritten = true;
    return again;
}

}  // namespace

PictureResult PreparePicture(const PictureJob& job, const std::string& fileName) {
    try {
        const std::optional<std::string> before = FileIdentityOf(job.PictureStore + fileName);
        PictureResult result;
        if (before && job.Shown && !job.ShownFolder.empty() &&
            KeepShownCopy(job, fileName, *before, result))
            return result;
        bool settled = false;
        result = PrepareSettled(job, fileName, settled);
        if (settled && result.Outcome == PictureOutcome::Prepared) {
            // Kept only when the stored copy is the one read (or the one this run wrote).
            const std::optional<std::string> after = FileIdentityOf(job.PictureStore + fileName);
            const std::optional<std::string> copy =
                FileContentIdentityOf(job.PreparedFolder + fileName);
            if (after && copy && (result.StoredRewritten || after == before))
                result.Made = PreparedManifest::Entry{*after, *copy};
        }
        return result;
    } catch (const std::exception&) {
        // A codec or allocation failure skips this picture like an unreadable one.
    }
    return {};
}

}  // namespace sorvane
