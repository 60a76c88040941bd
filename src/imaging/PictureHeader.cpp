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

// `format` is only the one to try first: the content decides.
std::optional<PictureHeader> ReadFrom(QIODevice& device, const char* format) {
    QImageReader reader(&device, format);
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
    if (key == PictureFormat::Other) return std::nullopt;
    return ReadFrom(file, QtFormatName(key));
}

std::optional<PixelSize> ReadPictureSize(const std::string& path, bool anyFormat) {
    const PictureFormat key = FormatKeyOf(path);
    std::optional<PictureHeader> header;
    if (key != PictureFormat::Other) {
        header = ReadPictureHeader(path, key);
    } else if (anyFormat) {
        QFile file;
        if (OpenForReading(file, path)) header = ReadFrom(file, "");
    }
    if (!header) return std::nullopt;
    return header->Upright();
}

std::optional<PictureHeader> ReadPictureHeaderFromBytes(std::string_view bytes, PictureFormat key) {
    QByteArray raw = RawBytes(bytes);
    QBuffer buffer(&raw);
    if (!buffer.open(QIODevice::ReadOnly)) return std::nullopt;
    if (key == PictureFormat::Other) return std::nullopt;
    return ReadFrom(buffer, QtFormatName(key));
}

}  // namespace sorvane
