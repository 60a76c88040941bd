#include "PictureHeader.h"

#include <QBuffer>
#include <QFile>
#include <QImageIOHandler>
#include <cstdlib>

#include "Orientation.h"
#include "QtPicture.h"
#include "RgbImage.h"
#include "platform/qt/QtPath.h"

namespace sorvane {

PixelSize PictureHeader::Upright() const {
    return SwapsSides(Orientation) ? PixelSize{Height, Width} : PixelSize{Width, Height};
}

namespace {

std::optional<PictureHeader> ReadFrom(QIODevice& device, PictureFormat key) {
    if (key == PictureFormat::Other) return std::nullopt;
    QImageReader reader(&device, QtFormatName(key));
    ConfigureReader(reader);
    const QSize size = reader.size();
    // Top-down BMPs report a negative height; the picture is just as tall.
    const int64_t width = size.width(), height = std::llabs(size.height());
    if (!FitsRgbBuffer(width, height)) return std::nullopt;
    PictureHeader header;
    header.Width = static_cast<int32_t>(width);
    header.Height = static_cast<int32_t>(height);
    header.Orientation = static_cast<int>(reader.transformation()) & (kMirror | kFlip | kRotate90);
    return header;
}

}  // namespace

std::optional<PictureHeader> ReadPictureHeader(const std::string& path, PictureFormat key) {
    QFile file;
    if (!OpenForReading(file, path)) return std::nullopt;
    return ReadFrom(file, key);
}

std::optional<PixelSize> ReadPictureSize(const std::string& path) {
    const std::optional<PictureHeader> header = ReadPictureHeader(path, FormatKeyOf(path));
    if (!header) return std::nullopt;
    return header->Upright();
}

std::optional<PictureHeader> ReadPictureHeaderFromBytes(std::string_view bytes, PictureFormat key) {
    QByteArray raw = RawBytes(bytes);
    QBuffer buffer(&raw);
    if (!buffer.open(QIODevice::ReadOnly)) return std::nullopt;
    return ReadFrom(buffer, key);
}

}  // namespace sorvane
