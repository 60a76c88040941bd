#include "ColorPicker.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

#include "platform/Platform.h"
#include "platform/SystemColors.h"

namespace sorvane {

namespace {

QIcon SwatchIcon(const QColor& color, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(pixmap.rect().adjusted(0, 0, -1, -1), color);
    painter.setPen(QColor(64, 64, 64));
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

uint32_t ToOle(const QColor& c) {
    return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 |
           static_cast<uint32_t>(c.blue()) << 16;
}

}  // namespace

ColorPicker::ColorPicker(ColorTranslator& colors, QWidget* parent)
    : QWidget(parent), colors_(colors), value_(OleDesktopColor) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    button_ = new QToolButton(this);
    button_->setObjectName("clrBackgroundButton");
    button_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button_->setPopupMode(QToolButton::InstantPopup);
    button_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    layout->addWidget(button_);

    menu_ = new QMenu(this);
    menu_->setObjectName("clrBackgroundMenu");
    menu_->addSection(tr("System colors"));
    for (int i = 0; i < SystemColorCount; ++i) {
        const uint32_t ole = 0x80000000u | static_cast<uint32_t>(i);
        QAction* action = menu_->addAction(ColorName(ole));
        action->setData(ole);
        connect(action, &QAction::triggered, this, [this, ole] { Pick(ole); });
    }
    menu_->addSeparator();
    QAction* other = menu_->addAction(tr("Other Color..."));
    other->setObjectName("otherColor");
    connect(other, &QAction::triggered, this, &ColorPicker::ChooseOtherColor);
    // The system colours' swatches follow the running desktop's values.
    connect(menu_, &QMenu::aboutToShow, this, [this] {
        const QSize size(16, 12);
        for (QAction* action : menu_->actions())
            if (action->data().isValid())
                action->setIcon(SwatchIcon(ToQColor(action->data().toUInt()), size));
    });
    button_->setMenu(menu_);
    UpdateSwatch();
}

void ColorPicker::SetValue(uint32_t oleColor) {
    if (oleColor == value_) return;
    value_ = oleColor;
    UpdateSwatch();
}

void ColorPicker::ChooseOtherColor() {
    const QColor chosen =
        QColorDialog::getColor(ToQColor(value_), window(), tr("Background Color"));
    if (chosen.isValid()) Pick(ToOle(chosen));
}

void ColorPicker::Pick(uint32_t oleColor) {
    if (oleColor == value_) return;
    value_ = oleColor;
    UpdateSwatch();
    emit Changed();
}

QString ColorPicker::ColorName(uint32_t oleColor) {
    if ((oleColor >> 24) == 0x80) {
        const uint32_t index = oleColor & 0xFFFFFFu;
        if (index < static_cast<uint32_t>(SystemColorCount)) {
            const auto name = DefaultSystemColors()[index].Name;
            return QCoreApplication::translate("SystemColor", std::string(name).c_str());
        }
    }
    return QStringLiteral("#%1%2%3")
        .arg(oleColor & 0xFF, 2, 16, QChar('0'))
        .arg((oleColor >> 8) & 0xFF, 2, 16, QChar('0'))
        .arg((oleColor >> 16) & 0xFF, 2, 16, QChar('0'))
        .toUpper();
}

QColor ColorPicker::ToQColor(uint32_t oleColor) const {
    const auto rgb = colors_.Translate(oleColor);
    if (!rgb) return Qt::black;
    return QColor(*rgb & 0xFF, (*rgb >> 8) & 0xFF, (*rgb >> 16) & 0xFF);
}

void ColorPicker::UpdateSwatch() {
    const int h = button_->fontMetrics().height();
    button_->setIconSize(QSize(h * 2, h));
    button_->setIcon(SwatchIcon(ToQColor(value_), button_->iconSize()));
    button_->setText(ColorName(value_));
    button_->setToolTip(tr("Background color: %1").arg(ColorName(value_)));
    // Named as its caption reads, with the value: the value alone says nothing.
    button_->setAccessibleName(tr("Background Color: %1").arg(ColorName(value_)));
}

}  // namespace sorvane
