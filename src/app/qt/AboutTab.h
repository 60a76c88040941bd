#pragma once

#include "HoverWidgets.h"

namespace sorvane {

class AboutPicture;

// The About page (Frame 1): title, texts, the picture and the two links. The
// page itself reports the pointer over its background; the links and the text
// before the e-mail link report theirs. Other texts and the picture report
// nothing.
class AboutTab : public HoverArea {
    Q_OBJECT
  public:
    // `requirements`: what the program needs of the desktop, in the platform's words.
    explicit AboutTab(const QString& requirements, QWidget* parent = nullptr);

    LinkLabel* Email() const { return email_; }
    LinkLabel* Site() const { return site_; }
    HoverArea* Label8() const { return label8_; }

    // The width the texts beside the picture wrap at.
    static constexpr int TextWidth = 400;

  private:
    HoverArea* label8_;
    LinkLabel* email_;
    LinkLabel* site_;
};

}  // namespace sorvane
