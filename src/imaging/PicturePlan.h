#pragma once

#include <cstddef>
#include <optional>

#include "ColourProfile.h"
#include "PictureProbe.h"
#include "Preparation.h"
#include "platform/Geometry.h"

namespace sorvane {

// How a picture's pixels are decoded; each route has its own cost.
enum class DecodeRoute {
    JpegPlanes,  // YCbCr planes at a DCT scale, resampled and turned RGB at the small size
    JpegRgb,     // RGB at a DCT scale (CMYK pictures, and those kept at their size)
    PngRows,     // row by row into the reduction (Streamed): a big picture never held whole
    PngWhole,    // the whole picture, transparency laid over the background
    PngRgba,     // transparency kept, for a stored copy that stays RGBA (streamed when big)
    BmpWhole,    // the whole picture, by our own reader
};

// What one picture's preparation does, decided once from its probe: the
// decoder follows it and the memory budget reads it, so they cannot disagree.
struct PicturePlan {
    PictureProbe Probe;
    PicturePlacement Place;  // on the canvas, upright
    bool Shrink = false;     // larger than its place: reduced, and its stored copy rewritten
    PixelSize Decoded;       // what the decoder delivers, in the stored orientation
    DecodeRoute Route = DecodeRoute::BmpWhole;
    bool Streamed = false;         // PNG: rows streamed into the reduction
    int DctScale = 1;              // JPEG: decoded at 1 / DctScale of its size
    std::optional<ToSrgb> Colour;  // to sRGB, when the picture's profile changes anything
    size_t PeakBytes = 0;          // the most this preparation holds at once, file included
};

// Decoded pixels above this size are streamed row by row into a reduction
// where the codec allows it (PNG that is not interlaced).
inline constexpr size_t kStreamAbove = 96u << 20;

// `key` is the format the name asks for: a transparent PNG stays RGBA only
// when its copies are PNG too.
PicturePlan PlanPicture(const PictureProbe& probe, size_t fileBytes, PictureFormat key,
                        PixelSize target, int alignIndex);

// The plan for decoding alone, to `decoded` (stored orientation), with any
// transparency laid over the background.
PicturePlan PlanDecoding(const PictureProbe& probe, PixelSize decoded);

// The smallest DCT scale (8, 4, 2, else 1) that keeps at least twice `atLeast`
// on both sides, so the resampler still has enough to avoid aliasing.
int DctScaleFor(PixelSize stored, PixelSize atLeast);

}  // namespace sorvane
