#include "PictureCost.h"

#include <algorithm>
#include <cstring>

#include "Resampler.h"

namespace sorvane {

namespace {

uint32_t BigEndian32(const unsigned char* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

void ReadPng(std::string_view bytes, PictureFacts& facts) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    for (size_t i = 8; i + 12 <= bytes.size();) {
        const size_t length = BigEndian32(p + i);
        if (length > bytes.size() - i - 12) return;
        const std::string_view type(bytes.data() + i + 4, 4);
        if (type == "IHDR" && length >= 13) {
            const unsigned colourType = p[i + 8 + 9];
            facts.Transparent = (colourType & 4) != 0;
            facts.Interlaced = p[i + 8 + 12] != 0;
        }
        if (type == "tRNS") facts.Transparent = true;
        if (type == "IDAT" || type == "IEND") return;
        i += 12 + length;
    }
}

bool IsFrameMarker(unsigned char m) {
    return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

void ReadJpeg(std::string_view bytes, PictureFacts& facts) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    int frameComponents = 0;
    for (size_t i = 2; i + 4 <= n;) {
        if (p[i] != 0xFF) return;
        const unsigned char m = p[i + 1];
        if (m == 0xFF) {
            ++i;
            continue;
        }
        if (m == 0x01 || (m >= 0xD0 && m <= 0xD8)) {
            i += 2;
            continue;
        }
        const size_t length = size_t{p[i + 2]} << 8 | p[i + 3];
        if (m == 0xD9 || length < 2 || i + 2 + length > n) return;
        const unsigned char* body = p + i + 4;
        if (IsFrameMarker(m) && length >= 8) {
            facts.WholeCoefficients = m == 0xC2 || m == 0xC6 || m == 0xCA || m == 0xCE;
            frameComponents = body[5];
            if (length < 8 + 3 * static_cast<size_t>(frameComponents)) return;
            int hMax = 1, vMax = 1;
            for (int c = 0; c < frameComponents; ++c) {
                hMax = std::max(hMax, body[6 + 3 * c + 1] >> 4);
                vMax = std::max(vMax, body[6 + 3 * c + 1] & 15);
            }
            double perPixel = 0;
            for (int c = 0; c < frameComponents; ++c) {
                const int h = std::max(1, body[6 + 3 * c + 1] >> 4);
                const int v = std::max(1, body[6 + 3 * c + 1] & 15);
                perPixel += 2.0 * h * v / (hMax * vMax);
            }
            facts.CoefficientBytesPerPixel = perPixel;
        }
        if (m == 0xDA) {
            // A first scan without every component means more scans follow.
            if (length >= 3 && body[0] < frameComponents) facts.WholeCoefficients = true;
            return;
        }
        i += 2 + length;
    }
}

size_t Pixels(PixelSize s) {
    return static_cast<size_t>(std::max(s.Width, 0)) * static_cast<size_t>(std::max(s.Height, 0));
}

// The DCT scale the JPEG decoder picks: the smallest of 1/8, 1/4, 1/2 that
// keeps twice the reduced size.
size_t JpegScaledPixels(PixelSize stored, PixelSize reduced) {
    for (const int64_t denom : {8, 4, 2}) {
        const int64_t w = (stored.Width + denom - 1) / denom,
                      h = (stored.Height + denom - 1) / denom;
        if (w >= 2 * int64_t{reduced.Width} && h >= 2 * int64_t{reduced.Height})
            return static_cast<size_t>(w) * static_cast<size_t>(h);
    }
    return Pixels(stored);
}

}  // namespace

PictureFacts ReadPictureFacts(std::string_view bytes) {
    PictureFacts facts;
    if (bytes.size() > 8 && bytes.substr(0, 8) == std::string_view("\x89PNG\r\n\x1a\n", 8)) {
        facts.Png = true;
        ReadPng(bytes, facts);
    } else if (bytes.size() > 4 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
               static_cast<unsigned char>(bytes[1]) == 0xD8) {
        facts.Jpeg = true;
        ReadJpeg(bytes, facts);
    }
    return facts;
}

bool StreamsRows(const PictureFacts& facts, PixelSize stored, bool shrink) {
    return facts.Png && !facts.Interlaced && shrink && Pixels(stored) * 4 > kStreamAbove;
}

size_t PeakBytes(const PictureFacts& facts, size_t fileBytes, PixelSize stored, PixelSize reduced,
                 bool shrink, PixelSize canvas) {
    const size_t target = shrink ? Pixels(reduced) : Pixels(stored);
    // The reduced picture (RGBA at most), the canvas and its encoded copy.
    size_t bytes = fileBytes + target * 4 + Pixels(canvas) * 3 * 2;
    if (facts.Jpeg) {
        // Planes or RGB at the decoded scale, and libjpeg's coefficients when it keeps them all.
        bytes += (shrink ? JpegScaledPixels(stored, reduced) : Pixels(stored)) * 3;
        if (facts.WholeCoefficients)
            bytes += static_cast<size_t>(static_cast<double>(Pixels(stored)) *
                                         facts.CoefficientBytesPerPixel);
    } else if (StreamsRows(facts, stored, shrink)) {
        // A row and its block sums, then the picture narrowed to its final
        // width, at most kMaxFilterRatio times its final height.
        const size_t width = static_cast<size_t>(stored.Width);
        const size_t rows = std::min(static_cast<size_t>(stored.Height),
                                     static_cast<size_t>(reduced.Height) * kMaxFilterRatio);
        bytes += width * (4 + 8 * 4) + static_cast<size_t>(reduced.Width) * rows * 4;
    } else {
        // Whole: RGBA laid over a colour into RGB, or Qt's 32-bit image.
        bytes += Pixels(stored) * 7;
    }
    return bytes;
}

void MemoryBudget::Acquire(size_t bytes) {
    std::unique_lock lock(mutex_);
    freed_.wait(lock, [&] { return used_ + bytes <= capacity_; });
    used_ += bytes;
}

void MemoryBudget::Release(size_t bytes) {
    {
        std::lock_guard lock(mutex_);
        used_ -= bytes;
    }
    freed_.notify_all();
}

MemoryBudget& PreparationBudget() {
    static MemoryBudget budget(kPreparationBudget);
    return budget;
}

}  // namespace sorvane
