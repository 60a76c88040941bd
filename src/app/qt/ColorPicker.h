#pragma once

#include <QWidget>
#include <cstdint>

class QToolButton;
class QMenu;

namespace sorvane {

class ColorTranslator;

// The background colour picker (clrBackground): a swatch button that shows the
// current colour, a menu of the system colours by name and the colour dialog.
// Its value is an OLE colour (plain 0x00BBGGRR or a system-colour reference).
// Only a user's pick raises Changed; a value set from code does not.
class ColorPicker : public QWidget {
    Q_OBJECT
  public:
    ColorPicker(ColorTranslator& colors, QWidget* parent = nullptr);

    uint32_t Value() const { return value_; }
    void SetValue(uint32_t oleColor);

    // Opens the colour dialog as the menu's last entry does.
    void ChooseOtherColor();

    // The caption the swatch shows for a value: a system colour's name, or #RRGGBB.
    static QString ColorName(uint32_t oleColor);

  signals:
    void Changed();

  private:
    void Pick(uint32_t oleColor);
    void UpdateSwatch();
    QColor ToQColor(uint32_t oleColor) const;

    ColorTranslator& colors_;
    uint32_t value_;
    QToolButton* button_;
    QMenu* menu_;
};

}  // namespace sorvane
