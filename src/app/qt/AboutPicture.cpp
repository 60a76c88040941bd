#include "AboutPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace sorvane {

AboutPicture::AboutPicture(QWidget* parent) : QWidget(parent) { setFixedSize(Width, Height); }

void AboutPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    // Two slides behind the front one, turned a little.
    const QRectF slide(14, 20, 130, 104);
    for (const auto& [angle, shade] : {std::pair{-9.0, 200}, std::pair{5.0, 225}}) {
        p.save();
        p.translate(slide.center());
        p.rotate(angle);
        p.translate(-slide.center());
        p.setPen(QPen(QColor(120, 120, 120), 1));
        p.setBrush(QColor(shade, shade, shade));
        p.drawRoundedRect(slide, 3, 3);
        p.restore();
    }

    // The front slide: a white mount and a landscape.
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(slide, 3, 3);
    const QRectF view = slide.adjusted(7, 7, -7, -7);
    p.save();
    p.setClipRect(view);
    QLinearGradient sky(view.topLeft(), view.bottomLeft());
    sky.setColorAt(0, QColor(58, 110, 165));
    sky.setColorAt(0.65, QColor(250, 196, 120));
    p.fillRect(view, sky);
    QRadialGradient sun(view.left() + 82, view.top() + 50, 16);
    sun.setColorAt(0, QColor(255, 250, 220));
    sun.setColorAt(0.6, QColor(255, 214, 90));
    sun.setColorAt(1, QColor(255, 214, 90, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(view.left() + 82, view.top() + 50), 16, 16);
    QPainterPath far;
    far.moveTo(view.left(), view.bottom() - 22);
    far.lineTo(view.left() + 30, view.top() + 38);
    far.lineTo(view.left() + 52, view.bottom() - 32);
    far.lineTo(view.left() + 78, view.top() + 30);
    far.lineTo(view.right(), view.bottom() - 26);
    far.lineTo(view.right(), view.bottom());
    far.lineTo(view.left(), view.bottom());
    p.setBrush(QColor(70, 84, 120));
    p.drawPath(far);
    QPainterPath near;
    near.moveTo(view.left(), view.bottom() - 12);
    near.cubicTo(view.left() + 40, view.bottom() - 30, view.left() + 80, view.bottom() - 2,
                 view.right(), view.bottom() - 18);
    near.lineTo(view.right(), view.bottom());
    near.lineTo(view.left(), view.bottom());
    p.setBrush(QColor(46, 110, 62));
    p.drawPath(near);
    p.restore();

    // A play mark below the slides: the show runs by itself.
    const QPointF c(Width / 2.0, 148);
    QPainterPath play;
    play.moveTo(c + QPointF(-7, -9));
    play.lineTo(c + QPointF(9, 0));
    play.lineTo(c + QPointF(-7, 9));
    play.closeSubpath();
    p.setPen(QPen(QColor(40, 70, 120), 2));
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(c, 15, 15);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 70, 120));
    p.drawPath(play.translated(1, 0));
}

}  // namespace sorvane
