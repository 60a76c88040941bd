#include "PicturePlan.h"

#include <algorithm>

#include "Orientation.h"
#include "Resampler.h"

namespace sorvane {

namespace {

size_t Pixels(PixelSize s) {
    return static_cast<size_t>(std::max(s.Width, 0)) * static_cast<size_t>(std::max(s.Height, 0));
}

PixelSize Scaled(PixelSize s, int scale) {
    return {(s.Width + scale - 1) / scale, (s.Height + scale - 1) / scale};
}

// A sliver (say 20000 × 2) rounds to no pixels on one side; it keeps one so
// it still shows, and is placed as that size will be on every later run.
void KeepSliver(PicturePlacement& place, PixelSize target, int alignIndex) {
    const int32_t nw = place.Right - place.Left, nh = place.Bottom - place.Top;
    if (nw >= 1 && nh >= 1) return;
    place = {0, 0, std::max(nw, 1), std::max(nh, 1)};
    FitPicture(place, target, alignIndex);
}

bool Streams(const PictureProbe& probe, bool shrink) {
    return probe.Format == PictureFormat::Png && shrink && !probe.Interlaced &&
           Pixels(probe.Stored()) * 4 > kStreamAbove;
}

DecodeRoute RouteOf(const PictureProbe& probe, PictureFormat key, bool shrink) {
    switch (probe.Format) {
        case PictureFormat::Jpeg:
            return shrink && !probe.Cmyk ? DecodeRoute::JpegPlanes : DecodeRoute::JpegRgb;
        case PictureFormat::Png:
            if (probe.Transparent && key == PictureFormat::Png) return DecodeRoute::PngRgba;
            return Streams(probe, shrink) ? DecodeRoute::PngRows : DecodeRoute::PngWhole;
        case PictureFormat::Bmp:
        case PictureFormat::Other:
            break;
    }
    return DecodeRoute::BmpWhole;
}

// Bytes the decoder holds besides the file and what it delivers.
size_t DecodingBytes(const PicturePlan& plan) {
    const PictureProbe& probe = plan.Probe;
    const size_t stored = Pixels(probe.Stored());
    // A PNG too big to hold streams: a row and its block sums, then the
    // picture narrowed to its final width, at most kMaxFilterRatio times its
    // final height.
    const auto streamed = [&] {
        const size_t rows = std::min(static_cast<size_t>(probe.Height),
                                     static_cast<size_t>(plan.Decoded.Height) * kMaxFilterRatio);
        return static_cast<size_t>(probe.Width) * (4 + 8 * 4) +
               static_cast<size_t>(plan.Decoded.Width) * rows * 4;
    };
    switch (plan.Route) {
        case DecodeRoute::JpegPlanes:
        case DecodeRoute::JpegRgb: {
            // Planes or RGB at the decoded scale (CMYK first as four bytes a
            // pixel), and libjpeg's coefficients when it keeps them all.
            const size_t scaled = Pixels(Scaled(probe.Stored(), plan.DctScale));
            size_t bytes = scaled * (probe.Cmyk ? 7 : 3);
            if (probe.WholeCoefficients)
                bytes += static_cast<size_t>(static_cast<double>(stored) *
                                             probe.CoefficientBytesPerPixel);
            return bytes;
        }
        case DecodeRoute::PngRows:
            return streamed();
        case DecodeRoute::PngWhole:
            return stored * (probe.Transparent ? 7 : 3);
        case DecodeRoute::PngRgba:
            return plan.Streamed ? streamed() : stored * 4;
        case DecodeRoute::BmpWhole:
            return stored * 3;
    }
    return stored * 7;
}

}  // namespace

int DctScaleFor(PixelSize stored, PixelSize atLeast) {
    for (const int scale : {8, 4, 2}) {
        const PixelSize s = Scaled(stored, scale);
        if (int64_t{s.Width} >= 2 * int64_t{atLeast.Width} &&
            int64_t{s.Height} >= 2 * int64_t{atLeast.Height})
            return scale;
    }
    return 1;
}

PicturePlan PlanDecoding(const PictureProbe& probe, PixelSize decoded) {
    PicturePlan plan;
    plan.Probe = probe;
    plan.Decoded = decoded;
    plan.Shrink = decoded.Width < probe.Width || decoded.Height < probe.Height;
    plan.Route = RouteOf(probe, PictureFormat::Other, plan.Shrink);
    plan.Streamed = Streams(probe, plan.Shrink);
    if (probe.Format == PictureFormat::Jpeg && plan.Shrink)
        plan.DctScale = DctScaleFor(probe.Stored(), decoded);
    return plan;
}

PicturePlan PlanPicture(const PictureProbe& probe, size_t fileBytes, PictureFormat key,
                        PixelSize target, int alignIndex) {
    PicturePlan plan;
    plan.Probe = probe;
    const PixelSize upright = probe.Upright();
    plan.Place = {0, 0, upright.Width, upright.Height};
    FitPicture(plan.Place, target, alignIndex);
    KeepSliver(plan.Place, target, alignIndex);
    const int32_t nw = plan.Place.Right - plan.Place.Left, nh = plan.Place.Bottom - plan.Place.Top;
    plan.Shrink = nw < upright.Width || nh < upright.Height;
    // Resampling happens before turning upright: fewer pixels to turn.
    plan.Decoded = !plan.Shrink                    ? probe.Stored()
                   : SwapsSides(probe.Orientation) ? PixelSize{nh, nw}
                                                   : PixelSize{nw, nh};
    plan.Route = RouteOf(probe, key, plan.Shrink);
    plan.Streamed = Streams(probe, plan.Shrink);
    if (probe.Format == PictureFormat::Jpeg && plan.Shrink)
        plan.DctScale = DctScaleFor(probe.Stored(), plan.Decoded);
    plan.Colour = ToSrgb::For(probe.Icc);

    // The file, the decoder's own, the picture it delivers (RGBA at most),
    // that picture turned upright and its stored copy encoded, the canvas
    // with its encoded copy, and the codecs' own state.
    const size_t delivered = Pixels(plan.Decoded);
    plan.PeakBytes = fileBytes + DecodingBytes(plan) + (4u << 20) + delivered * 4 +
                     (probe.Orientation ? delivered * 3 : 0) + (plan.Shrink ? delivered * 4 : 0) +
                     Pixels(target) * 3 * 2;
    return plan;
}

}  // namespace sorvane
