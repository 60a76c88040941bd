#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <string>

#include "platform/AtomicFile.h"

namespace sorvane {

// File names are bytes here and text in Qt. Every path that crosses into or
// out of Qt goes through these two, in the file system's own encoding.
inline QString PathToQt(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}
inline std::string PathFromQt(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Qt's text cannot hold a name that is not valid in that encoding (a Latin-1
// "s\xE9a.jpg" under UTF-8): such a file is opened by its bytes and handed to
// Qt as an open device. False when the file can't be opened.
// Only a regular file is opened, and never by waiting on a pipe of that name.
inline bool OpenForReading(QFile& file, const std::string& path) {
    const int fd = OpenRegularFile(path);
    if (fd < 0) return false;
    if (file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return true;
    ::close(fd);
    return false;
}

}  // namespace sorvane
