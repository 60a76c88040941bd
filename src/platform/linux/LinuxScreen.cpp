#include "LinuxScreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace sorvane {

Rect LinuxScreen::WorkArea() {
    if (fixed_) return *fixed_;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect g = screen->availableGeometry();
            const double ratio = screen->devicePixelRatio();
            const auto px = [ratio](int v) { return static_cast<int32_t>(std::lround(v * ratio)); };
            if (g.width() > 0 && g.height() > 0)
                return {px(g.left()), px(g.top()), px(g.left() + g.width()),
                        px(g.top() + g.height())};
        }
    }
    return {0, 0, 1920, 1080};
}

}  // namespace sorvane
