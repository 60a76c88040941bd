#include "pictures/PictureSize.h"

#include <QFile>
#include <QImageIOHandler>
#include <QImageReader>

namespace sorvane {

std::optional<PixelSize> ReadPictureSize(const std::string& path) {
    // File names are bytes on Linux; decodeName keeps names that are not UTF-8.
    QImageReader reader(QFile::decodeName(QByteArray::fromStdString(path)));
    reader.setAutoTransform(true);
    if (!reader.canRead()) return std::nullopt;
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) return std::nullopt;
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        return PixelSize{size.height(), size.width()};
    return PixelSize{size.width(), size.height()};
}

}  // namespace sorvane
