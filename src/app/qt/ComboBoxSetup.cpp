#include "ComboBoxSetup.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLineEdit>
#include <QWidget>

namespace sorvane {

int AverageCharWidth(const QWidget& window) {
    static const QString letters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const QFontMetrics metrics(QFontDatabase::systemFont(QFontDatabase::GeneralFont), &window);
    return metrics.horizontalAdvance(letters) / 52;
}

void SetDroppedWidth(QComboBox& combo) {
    int longest = 0;
    for (int i = 0; i < combo.count(); ++i)
        longest = std::max(longest, static_cast<int>(combo.itemText(i).size()));
    const int width = longest * AverageCharWidth(*combo.window());
    combo.view()->setMinimumWidth(width);
}

void SetComboReadOnly(QComboBox& combo) {
    if (QLineEdit* edit = combo.lineEdit()) edit->setReadOnly(true);
}

}  // namespace sorvane
