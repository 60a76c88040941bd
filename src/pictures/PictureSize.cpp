#include "pictures/PictureSize.h"

#include <unistd.h>
#include <QFile>
#include <QImageIOHandler>
#include <QImageReader>

#include "platform/AtomicFile.h"

namespace sorvane {

std::optional<PixelSize> ReadPictureSize(const std::string& path) {
    // Opened by its bytes and without blocking: a pipe in the store must not
    // hang the program, and only a regular file is read.
    const int fd = OpenRegularFile(path);
    if (fd < 0) return std::nullopt;
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    if (!reader.canRead()) return std::nullopt;
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) return std::nullopt;
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        return PixelSize{size.height(), size.width()};
    return PixelSize{size.width(), size.height()};
}

}  // namespace sorvane
