#include "AccessibleRoles.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

#include "HoverWidgets.h"

namespace sorvane {

namespace {

class LinkAccessible : public QAccessibleWidget {
  public:
    explicit LinkAccessible(LinkLabel* link) : QAccessibleWidget(link, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const LinkLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction()) static_cast<LinkLabel*>(widget())->Activate();
    }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    if (className == QLatin1String("sorvane::LinkLabel"))
        return new LinkAccessible(static_cast<LinkLabel*>(widget));
    if (className == QLatin1String("sorvane::MainWindow"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == QLatin1String("sorvane::ProgressWindow"))
        return new QAccessibleWidget(widget, QAccessible::Dialog);
    if (className == QLatin1String("sorvane::PreviewBox") ||
        className == QLatin1String("sorvane::AboutPicture"))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    return nullptr;
}

}  // namespace

void InstallAccessibleRoles() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(Factory);
}

}  // namespace sorvane
