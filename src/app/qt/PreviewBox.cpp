#include "PreviewBox.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace sorvane {

PreviewBox::PreviewBox(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
}

void PreviewBox::ShowPicture(const QString& path, const QRect& rect) {
    if (path.isEmpty()) return;
    const QDateTime modified = QFileInfo(path).lastModified();
    if (path == path_ && modified == modified_ && rect == rect_) return;
    // Orientation as the picture's own tags say, like the prepared copies.
    QImageReader reader(path);
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
