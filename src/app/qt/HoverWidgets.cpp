#include "HoverWidgets.h"

#include <QMouseEvent>

namespace sorvane {

HoverArea::HoverArea(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

void HoverArea::mouseMoveEvent(QMouseEvent* event) {
    emit PointerMoved();
    event->accept();
}

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void LinkLabel::SetTextColor(uint32_t oleColor) {
    QPalette pal = palette();
    if ((oleColor >> 24) == 0)
        pal.setColor(QPalette::WindowText,
                     QColor(oleColor & 0xFF, (oleColor >> 8) & 0xFF, (oleColor >> 16) & 0xFF));
    else
        pal.setColor(QPalette::WindowText, parentWidget()
                                               ? parentWidget()->palette().windowText().color()
                                               : QPalette().windowText().color());
    setPalette(pal);
}

void LinkLabel::mouseMoveEvent(QMouseEvent* event) {
    emit PointerMoved();
    event->accept();
}

void LinkLabel::mousePressEvent(QMouseEvent* event) { event->accept(); }

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Clicked();
    event->accept();
}

}  // namespace sorvane
