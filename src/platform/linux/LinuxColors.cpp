#include "LinuxColors.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <QProcess>
#include <QStandardPaths>

namespace sorvane {

namespace {

uint32_t ToOle(const QColor& c) {
    return static_cast<uint32_t>(c.red()) | (static_cast<uint32_t>(c.green()) << 8) |
           (static_cast<uint32_t>(c.blue()) << 16);
}

// GNOME-style desktops keep the background's colour in their settings store.
std::optional<QColor> DesktopBackgroundColor() {
    if (QStandardPaths::findExecutable("gsettings").isEmpty()) return std::nullopt;
    QProcess p;
    p.start("gsettings", {"get", "org.gnome.desktop.background", "primary-color"});
    if (!p.waitForFinished(2000) || p.exitCode() != 0) return std::nullopt;
    QString text = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    text.remove('\'');
    const QColor c = QColor::fromString(text);
    if (!c.isValid()) return std::nullopt;
    return c;
}

}  // namespace

LinuxColors::LinuxColors() : table_(DefaultSystemColors()) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        const QPalette pal = QGuiApplication::palette();
        auto set = [this](int index, const QColor& c) { table_[index].Value = ToOle(c); };
        set(5, pal.color(QPalette::Base));  // window background
        set(8, pal.color(QPalette::Text));  // window text
        set(13, pal.color(QPalette::Highlight));
        set(14, pal.color(QPalette::HighlightedText));
        set(15, pal.color(QPalette::Button));
        set(18, pal.color(QPalette::ButtonText));
        set(17, pal.color(QPalette::Disabled, QPalette::Text));
        set(23, pal.color(QPalette::ToolTipText));
        set(24, pal.color(QPalette::ToolTipBase));
    }
    if (const auto c = DesktopBackgroundColor()) table_[SystemColorDesktop].Value = ToOle(*c);
}

std::optional<uint32_t> LinuxColors::Translate(uint32_t oleColor) {
    return TranslateOleColor(oleColor, table_);
}

}  // namespace sorvane
