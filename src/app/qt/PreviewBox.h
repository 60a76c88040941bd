#pragma once

#include <QFrame>
#include <QImage>
#include <QRect>
#include <filesystem>
#include <string>

namespace sorvane {

// The preview box (Picture1): draws the picture the list's click handler chose,
// stretched into the rectangle it computed from this box's inner size. The
// drawing stays until a picture that loads replaces it, also after its file is
// gone.
class PreviewBox : public QFrame {
    Q_OBJECT
  public:
    explicit PreviewBox(QWidget* parent = nullptr);

    // The inner size the form computes with (pixels, as the window measures them).
    QSize InnerSize() const { return contentsRect().size(); }

    // What the form asks to draw; an empty path leaves the box as it is.
    void ShowPicture(const std::string& path, const QRect& rect);

    bool HasPicture() const { return !image_.isNull(); }
    QRect PictureRect() const { return rect_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage image_;
    QRect rect_;
    std::string path_;
    std::filesystem::file_time_type modified_;
};

}  // namespace sorvane
