#include "PictureJob.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "ColourProfile.h"
#include "MemoryBudget.h"
#include "Orientation.h"
#include "PictureDecoder.h"
#include "PictureEncoder.h"
#include "PicturePlan.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "platform/FileIdentity.h"
#include "platform/Translate.h"

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
bool RewriteStored(const std::string& storedPath, const std::string& bytes) {
    try {
        WriteFileAtomically(storedPath, bytes);
        return true;
    } catch (const Error&) {
    }
    return false;
}

std::string TooLargeText(const std::string& fileName, const PictureProbe& probe) {
    const PixelSize size = probe.Upright();
    return TrArg(SORVANE_TR("Sorvane",
                            "The picture \"%1\" (%2 x %3 pixels) is too large to prepare in the "
                            "memory available. The slide show keeps its earlier copy, or leaves "
                            "it out when it has none."),
                 {fileName, std::to_string(size.Width), std::to_string(size.Height)});
}

// A decoded picture: RGB, or RGBA when a PNG keeps its transparency (its
// stored copy stays RGBA, and only the canvas lays it over the background,
// so a later colour shows through).
struct Pixels {
    RgbImage Rgb;
    RgbaImage Rgba;

    bool Empty() const { return Rgb.Empty() && Rgba.Empty(); }
    std::string Encode(PictureFormat key, const std::string& icc) const {
        return Rgba.Empty() ? EncodePicture(Rgb.View(), key, icc) : EncodePngRgba(Rgba, icc);
    }
    void ToSrgb(const std::optional<sorvane::ToSrgb>& colour) {
        if (!colour) return;
        if (Rgba.Empty())
            colour->Apply(Rgb.Target());
        else
            colour->ApplyRgba(Rgba.Data(), Rgba.Stride(), Rgba.Width(), Rgba.Height());
    }
};

Pixels Decode(std::string_view bytes, const PicturePlan& plan, uint32_t background) {
    Pixels pixels;
    if (plan.Route == DecodeRoute::PngRgba) {
        if (std::optional<RgbaImage> rgba = DecodeRgba(bytes, plan)) pixels.Rgba = std::move(*rgba);
    } else if (std::optional<RgbImage> rgb = DecodeRgb(bytes, plan, background)) {
        pixels.Rgb =
            plan.Probe.Orientation ? Reoriented(*rgb, plan.Probe.Orientation) : std::move(*rgb);
    }
    return pixels;
}

// One picture, in one straight line: decode by its plan, rewrite the stored
// copy when it was reduced, convert to sRGB, lay it on the canvas, encode.
// A rewritten stored copy is what every later run reads: its colour profile
// (a grey one is left off a copy that is not grey) and, when it is a JPEG, its
// pixels as decoded, are this run's too, so a run that changes nothing
// writes the same bytes.
PictureResult Prepare(const PictureJob& job, const std::string& fileName, bool& settled) {
    PictureResult result;
    const PictureFormat key = FormatKeyOf(fileName);
    if (key == PictureFormat::Other) return result;
    const std::string storedPath = job.PictureStore + fileName;
    std::optional<std::string> bytes = ReadWholeFileIfPossible(storedPath);
    if (!bytes) return result;
    const std::optional<PictureProbe> probe = ProbePictureOfAnySize(*bytes);
    if (!probe) return result;
    if (!FitsRgbBuffer(probe->Width, probe->Height)) {
        result.Outcome = PictureOutcome::Refused;
        result.Reason = TooLargeText(fileName, *probe);
        return result;
    }
    PicturePlan plan = PlanPicture(*probe, bytes->size(), key, job.Target, job.AlignIndex);

    // Pictures prepared at the same time share a memory budget; one that can
    // never fit in it is refused with a message, before anything is decoded.
    MemoryBudget& budget = job.Budget ? *job.Budget : PreparationBudget();
    if (plan.PeakBytes > budget.Capacity()) {
        result.Outcome = PictureOutcome::Refused;
        result.Reason = TooLargeText(fileName, *probe);
        return result;
    }
    const BudgetHold hold(budget, plan.PeakBytes);

    Pixels pixels = Decode(*bytes, plan, job.BackgroundColor);
    bytes.reset();
    if (pixels.Empty()) return result;
    result.Reduced = plan.Shrink;
    settled = !plan.Shrink;

    if (plan.Shrink) {
        const std::string stored = pixels.Encode(key, probe->Icc);
        result.StoredRewritten = RewriteStored(storedPath, stored);
        if (result.StoredRewritten) {
            const std::optional<PictureProbe> again = ProbePicture(stored);
            if (!again) return result;
            const PicturePlan later =
                PlanPicture(*again, stored.size(), key, job.Target, job.AlignIndex);
            if (key == PictureFormat::Jpeg) {
                pixels = Decode(stored, later, job.BackgroundColor);
                if (pixels.Empty()) return result;
            }
            plan.Place = later.Place;
            plan.Colour = later.Colour;
            settled = true;
        }
    }
    pixels.ToSrgb(plan.Colour);

    const PicturePlacement& place = plan.Place;
    RgbImage canvas = job.Background->Clone();
    const int32_t nw = place.Right - place.Left, nh = place.Bottom - place.Top;
    bool laid = false;
    if (const std::optional<RgbTarget> area = canvas.Area(place.Left, place.Top, nw, nh)) {
        if (!pixels.Rgba.Empty()) pixels.Rgba.ComposeInto(job.BackgroundColor, *area);
        laid = !pixels.Rgba.Empty() || canvas.Overlay(pixels.Rgb, place.Left, place.Top);
    }
    if (!laid) {
        result.Outcome = PictureOutcome::NotWritten;
        result.Reason = SORVANE_TR("Sorvane", "it could not be laid on the background");
        return result;
    }
    pixels = Pixels();
    result.Reason = WritePreparedCopy(job.PreparedFolder + fileName, EncodePicture(canvas, key));
    result.Outcome = result.Reason.empty() ? PictureOutcome::Prepared : PictureOutcome::NotWritten;
    return result;
}

// A prepared copy's key: its identity without the change time (the next
// build's hard link changes that), and a digest of its bytes, so a copy
// edited in place with its size and time put back is made again.
std::optional<std::string> PreparedCopyKey(const std::string& path) {
    std::optional<std::string> key = FileContentIdentityOf(path);
    const std::optional<std::string> bytes = key ? ReadWholeFileIfPossible(path) : std::nullopt;
    if (!bytes) return std::nullopt;
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const char c : *bytes) hash = (hash ^ static_cast<uint8_t>(c)) * 1099511628211ull;
    char digest[20];
    std::snprintf(digest, sizeof digest, ":%016llx", static_cast<unsigned long long>(hash));
    return *key + digest;
}

// Links the show's current copy into this run's folder when it was made from
// the same inputs and is still as it was written. `stored` is the stored
// copy's identity now.
bool KeepShownCopy(const PictureJob& job, const std::string& fileName, const std::string& stored,
                   PictureResult& result) {
    const PreparedManifest::Entry* entry = job.Shown->Find(fileName);
    if (!entry || entry->Stored != stored) return false;
    const std::string shown = job.ShownFolder + fileName;
    if (PreparedCopyKey(shown) != entry->Copy) return false;
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
    const std::optional<std::string> copy = PreparedCopyKey(to.string());
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
        bool settled = false;
        result = Prepare(job, fileName, settled);
        if (settled && result.Outcome == PictureOutcome::Prepared) {
            // Kept only when the stored copy is the one read (or the one this run wrote).
            const std::optional<std::string> after = FileIdentityOf(job.PictureStore + fileName);
            const std::optional<std::string> copy = PreparedCopyKey(job.PreparedFolder + fileName);
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
