#pragma once

#include <QLabel>
#include <QWidget>

namespace sorvane {

// A page background or a block of text that reports the pointer moving over
// it (with no button held), and keeps the report from its parent.
class HoverArea : public QWidget {
    Q_OBJECT
  public:
    explicit HoverArea(QWidget* parent = nullptr);

  signals:
    void PointerMoved();

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
};

// A link label: reports the pointer over it and clicks, shows a pointing hand,
// and draws its text in the colour the form gives it. It takes focus by Tab
// and is pressed with Enter or Space, as a click.
class LinkLabel : public QLabel {
    Q_OBJECT
  public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

    // An OLE colour; a system-colour reference draws the palette's text colour.
    void SetTextColor(uint32_t oleColor);

    // A press by keyboard or a screen reader: the same as a click.
    void Activate() { emit Clicked(); }

  signals:
    void PointerMoved();
    void Clicked();

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace sorvane
