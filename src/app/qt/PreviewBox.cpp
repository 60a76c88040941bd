#include "PreviewBox.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <system_error>

#include "platform/qt/QtPath.h"

namespace sorvane {

PreviewBox::PreviewBox(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
}

void PreviewBox::ShowPicture(const std::string& path, const QRect& rect) {
    if (path.empty()) return;
    std::error_code ec;
    const auto modified = std::filesystem::last_write_time(path, ec);
    if (path == path_ && modified == modified_ && rect == rect_) return;
    // Opened by its bytes, so a name that is not UTF-8 shows too; orientation
    // as the picture's own tags say, like the prepared copies.
    QFile file;
    if (!OpenForReading(file, path)) return;
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull()) return;  // keep what the box showed before
    image_ = std::move(image);
    path_ = path;
    modified_ = modified;
    rect_ = rect;
    update();
}

void PreviewBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (image_.isNull()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setClipRect(contentsRect());
    painter.drawImage(rect_.translated(contentsRect().topLeft()), image_);
}

}  // namespace sorvane
