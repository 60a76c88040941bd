#include "PictureJob.h"

#include <fstream>
#include <optional>

#include "Orientation.h"
#include "PictureDecoder.h"
#include "PictureEncoder.h"
#include "PictureHeader.h"
#include "Preparation.h"
#include "Resampler.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"

namespace sorvane {

namespace {

std::optional<std::string> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return std::nullopt;
    const std::streamoff size = in.tellg();
    if (size < 0) return std::nullopt;
    std::string bytes(static_cast<size_t>(size), '\0');
    in.seekg(0);
    if (!in.read(bytes.data(), size)) return std::nullopt;
    return bytes;
}

PictureResult Prepare(const PictureJob& job, const std::string& fileName) {
    PictureResult result;
    const PictureFormat key = FormatKeyOf(fileName);
    if (key == PictureFormat::Other) return result;
    const std::string storedPath = job.PictureStore + fileName;
    std::optional<std::string> bytes = ReadBytes(storedPath);
    if (!bytes) return result;
    const std::optional<PictureHeader> header = ReadPictureHeaderFromBytes(*bytes, key);
    if (!header) return result;

    const PixelSize upright = header->Upright();
    PicturePlacement place{0, 0, upright.Width, upright.Height};
    FitPicture(place, job.Target, job.AlignIndex);
    const int32_t nw = place.Right - place.Left, nh = place.Bottom - place.Top;
    const bool shrink = nh < upright.Height || nw < upright.Width;

    // Resampling happens before turning upright: fewer pixels to turn.
    const bool swap = SwapsSides(header->Orientation);
    const PixelSize rawTarget = !shrink ? PixelSize{header->Width, header->Height}
                                : swap  ? PixelSize{nh, nw}
                                        : PixelSize{nw, nh};
    std::optional<RgbImage> decoded = DecodePicture(*bytes, key, rawTarget, job.BackgroundColor);
    bytes.reset();
    if (!decoded) return result;

    RgbImage picture = std::move(*decoded);
    if (picture.Width() != rawTarget.Width || picture.Height() != rawTarget.Height) {
        picture = Resample(picture, rawTarget.Width, rawTarget.Height);
        result.Reduced = shrink;
    }
    if (header->Orientation != 0) picture = Reoriented(picture, header->Orientation);

    if (shrink) {
        // Later runs then find the picture already fitting. A failed write
        // leaves the old stored copy whole; the run goes on with the reduced one.
        try {
            WriteFileAtomically(storedPath, EncodePicture(picture, key));
            result.StoredRewritten = true;
        } catch (const Error&) {
        }
    }

    RgbImage canvas = job.Background->Clone();
    if (!canvas.Overlay(picture, place.Left, place.Top)) {
        result.Outcome = PictureOutcome::NotWritten;
        return result;
    }
    picture = RgbImage();
    try {
        WriteFileAtomically(job.PreparedFolder + fileName, EncodePicture(canvas, key));
        result.Outcome = PictureOutcome::Prepared;
    } catch (const Error&) {
        result.Outcome = PictureOutcome::NotWritten;
    }
    return result;
}

}  // namespace

PictureResult PreparePicture(const PictureJob& job, const std::string& fileName) {
    try {
        return Prepare(job, fileName);
    } catch (const std::exception&) {
        // A codec or allocation failure skips this picture like an unreadable one.
    }
    return {};
}

}  // namespace sorvane
