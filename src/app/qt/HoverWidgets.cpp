#include "HoverWidgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

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
    setFocusPolicy(Qt::StrongFocus);
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

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (!event->isAutoRepeat()) Activate();
            event->accept();
            return;
        default:
            QLabel::keyPressEvent(event);
    }
}

void LinkLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(backgroundRole());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

}  // namespace sorvane
