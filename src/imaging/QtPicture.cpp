#include "QtPicture.h"

#include <cstring>

namespace sorvane {

const char* QtFormatName(PictureFormat key) {
    switch (key) {
        case PictureFormat::Bmp:
            return "bmp";
        case PictureFormat::Jpeg:
            return "jpeg";
        case PictureFormat::Png:
            return "png";
        case PictureFormat::Other:
            break;
    }
    return "";
}

void ConfigureReader(QImageReader& reader) {
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(false);
    // Sizes are checked against our own 32-bit rule before reading; Qt's
    // default cap (256 MB) would refuse pictures we can hold.
    reader.setAllocationLimit(3 * 1024);
}

RgbImage FromQImage(const QImage& image, uint32_t background) {
    RgbImage out(image.width(), image.height());
    if (!image.hasAlphaChannel()) {
        const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
        for (int32_t y = 0; y < out.Height(); ++y)
            std::memcpy(out.Row(y), rgb.constScanLine(y), out.Stride());
        return out;
    }
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    for (int32_t y = 0; y < out.Height(); ++y)
        ComposeOver(rgba.constScanLine(y), static_cast<size_t>(out.Width()), background,
                    out.Row(y));
    return out;
}

RgbView ToRgbInPlace(QImage& image, uint32_t background) {
    if (image.hasAlphaChannel()) {
        image.convertTo(QImage::Format_RGBA8888);
        // Each row shrinks from 4 to 3 bytes a pixel, so composing in place
        // never overwrites a pixel before it is read.
        for (int y = 0; y < image.height(); ++y) {
            uint8_t* row = image.scanLine(y);
            ComposeOver(row, static_cast<size_t>(image.width()), background, row);
        }
        return {image.constBits(), static_cast<size_t>(image.bytesPerLine()), image.width(),
                image.height()};
    }
    image.convertTo(QImage::Format_RGB888);
    return {image.constBits(), static_cast<size_t>(image.bytesPerLine()), image.width(),
            image.height()};
}

QImage AsQImage(const RgbImage& image) { return AsQImage(image.View()); }

QImage AsQImage(const RgbView& image) {
    return QImage(image.Data, image.Width, image.Height, static_cast<qsizetype>(image.Stride),
                  QImage::Format_RGB888);
}

}  // namespace sorvane
