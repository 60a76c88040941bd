#include "PictureJob.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>

#include "Orientation.h"
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
// the flush to disk that the stored copy gets; it is still written aside and
// renamed, so the page never shows a half-written picture. Returns why it failed, or "".
std::string WritePreparedCopy(const std::string& path, const std::string& bytes) {
    try {
        WriteFileAtomically(path, bytes, Durability::Unflushed);
        return {};
    } catch (const Error& e) {
        return e.what();
    }
}

// Later runs then find the picture already fitting. A failed write leaves the
// old stored copy whole.
bool RewriteStored(const std::string& storedPath, const std::string& bytes) {
    try {
        WriteFileAtomically(storedPath, bytes);
        return true;
    } catch (const Error&) {
    }
    return false;
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

// Lays the picture on a copy of the background and writes the prepared copy.
void WriteCanvas(const PictureJob& job, const std::string& fileName, const RgbImage& picture,
                 const PicturePlacement& place, PictureFormat key, PictureResult& result) {
    const RgbImage& background = *job.Background;
    const bool inside = place.Left >= 0 && place.Top >= 0 &&
                        static_cast<int64_t>(place.Left) + picture.Width() <= background.Width() &&
                        static_cast<int64_t>(place.Top) + picture.Height() <= background.Height();
    RgbImage canvas =
        inside ? CanvasAround(background, place.Left, place.Top, picture.Width(), picture.Height())
               : background.Clone();
    if (!canvas.Overlay(picture, place.Left, place.Top)) {
        result.Outcome = PictureOutcome::NotWritten;
        result.Reason = "it could not be laid on the background";
        return;
    }
    result.Reason = WritePreparedCopy(job.PreparedFolder + fileName, EncodePicture(canvas, key));
    result.Outcome = result.Reason.empty() ? PictureOutcome::Prepared : PictureOutcome::NotWritten;
}

struct Fitted {
    PicturePlacement Place;
    PixelSize Size;  // at least one pixel each way
    bool Shrink = false;
};

Fitted FitOnTarget(const PictureJob& job, const PictureHeader& header) {
    const PixelSize upright = header.Upright();
    Fitted f;
    f.Place = {0, 0, upright.Width, upright.Height};
    FitPicture(f.Place, job.Target, job.AlignIndex);
    // A sliver (say 20000 × 2) rounds to no pixels on one side; keep one so it still shows.
    f.Size = {std::max(f.Place.Right - f.Place.Left, 1), std::max(f.Place.Bottom - f.Place.Top, 1)};
    f.Shrink = f.Size.Height < upright.Height || f.Size.Width < upright.Width;
    return f;
}

// The picture decoded at `fit.Size` (reduced when it is smaller), upright.
std::optional<RgbImage> Upright(const PictureJob& job, std::string_view bytes, PictureFormat key,
                                const PictureHeader& header, const Fitted& fit) {
    // Resampling happens before turning upright: fewer pixels to turn.
    const bool swap = SwapsSides(header.Orientation);
    const PixelSize rawTarget = !fit.Shrink ? PixelSize{header.Width, header.Height}
                                : swap      ? PixelSize{fit.Size.Height, fit.Size.Width}
                                            : fit.Size;
    std::optional<RgbImage> decoded =
        fit.Shrink ? DecodeReduced(bytes, key, rawTarget, job.BackgroundColor)
                   : DecodePicture(bytes, key, rawTarget, job.BackgroundColor);
    if (!decoded) return decoded;
    // A decoder that disagrees with the header gets the size the header promised.
    if (decoded->Width() != rawTarget.Width || decoded->Height() != rawTarget.Height)
        decoded = Resample(*decoded, rawTarget.Width, rawTarget.Height);
    if (header.Orientation != 0) decoded = Reoriented(*decoded, header.Orientation);
    return decoded;
}

PictureResult Prepare(const PictureJob& job, const std::string& fileName) {
    PictureResult result;
    const PictureFormat key = FormatKeyOf(fileName);
    if (key == PictureFormat::Other) return result;
    const std::string storedPath = job.PictureStore + fileName;
    std::optional<std::string> bytes = ReadWholeFileIfPossible(storedPath);
    if (!bytes) return result;
    std::optional<PictureHeader> header = ReadPictureHeaderFromBytes(*bytes, key);
    if (!header) return result;
    Fitted fit = FitOnTarget(job, *header);
    std::optional<RgbImage> picture = Upright(job, *bytes, key, *header, fit);
    if (!picture) return result;
    bool settled = !fit.Shrink;

    if (fit.Shrink) {
        result.Reduced = true;
        bytes.reset();  // the full-size file is done with; it can be large
        std::string stored = EncodePicture(*picture, key);
        result.StoredRewritten = RewriteStored(storedPath, stored);
        // The copy is made from the stored copy as written, as every later run
        // makes it, so a run that changes nothing writes the same bytes. When
        // it could not be written, the run goes on with the reduced picture.
        if (result.StoredRewritten) {
            bytes = std::move(stored);
            header = ReadPictureHeaderFromBytes(*bytes, key);
            if (header) fit = FitOnTarget(job, *header);
            std::optional<RgbImage> again;
            if (header && !fit.Shrink) again = Upright(job, *bytes, key, *header, fit);
            if (again) {
                picture = std::move(again);
                settled = true;
            }
        }
    }
    bytes.reset();
    WriteCanvas(job, fileName, *picture, fit.Place, key, result);
    if (result.Outcome == PictureOutcome::Prepared && settled) result.Made.emplace();
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

}  // namespace

PictureResult PreparePicture(const PictureJob& job, const std::string& fileName) {
    try {
        const std::optional<std::string> before = FileIdentityOf(job.PictureStore + fileName);
        PictureResult result;
        if (before && job.Shown && !job.ShownFolder.empty() &&
            KeepShownCopy(job, fileName, *before, result))
            return result;
        result = Prepare(job, fileName);
        if (result.Made) {
            // Kept only when the stored copy is the one read (or the one this run wrote).
            const std::optional<std::string> after = FileIdentityOf(job.PictureStore + fileName);
            const std::optional<std::string> copy =
                FileContentIdentityOf(job.PreparedFolder + fileName);
            if (after && copy && (result.StoredRewritten || after == before))
                result.Made = PreparedManifest::Entry{*after, *copy};
            else
                result.Made.reset();
        }
        return result;
    } catch (const std::exception&) {
        // A codec or allocation failure skips this picture like an unreadable one.
    }
    return {};
}

}  // namespace sorvane
