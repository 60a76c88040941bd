#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QImageReader>
#include <string_view>

#include "PictureFormat.h"
#include "RgbImage.h"

namespace sorvane {

// Bridges between Qt's image classes and our buffers. Internal to imaging.

// The Qt format name to try first for a key.
const char* QtFormatName(PictureFormat key);

// A byte view Qt can read without copying; `bytes` must outlive it.
inline QByteArray RawBytes(std::string_view bytes) {
    return QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// A reader that recognises the picture by its content, leaves orientation to
// us, and allows any size we have already vetted.
void ConfigureReader(QImageReader& reader);

// Copies a decoded QImage into a 24-bit buffer, laying any transparency over
// `background` (COLORREF). Throws sorvane::Error when the size is refused.
RgbImage FromQImage(const QImage& image, uint32_t background);

// Turns a decoded QImage into 24-bit rows in place (transparency laid over
// `background`), so big pictures are not copied; returns a view of its rows.
RgbView ToRgbInPlace(QImage& image, uint32_t background);

// A QImage that shares `image`'s pixels (valid while `image` lives).
QImage AsQImage(const RgbImage& image);
QImage AsQImage(const RgbView& image);

}  // namespace sorvane
