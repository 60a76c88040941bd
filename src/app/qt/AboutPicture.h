#pragma once

#include <QWidget>

namespace sorvane {

// The About page's picture (Image1), 158 x 168: a small stack of slides with a
// landscape on the top one, drawn in code so it stays sharp at any scaling.
class AboutPicture : public QWidget {
    Q_OBJECT
  public:
    explicit AboutPicture(QWidget* parent = nullptr);

    static constexpr int Width = 158;
    static constexpr int Height = 168;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace sorvane
