#include "AboutTab.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "AboutPicture.h"
#include "TextWrap.h"
#include "app/AboutPage.h"

namespace sorvane {

namespace {

QString FromView(std::string_view text) { return QString::fromUtf8(text.data(), text.size()); }

QLabel* Paragraph(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setFixedWidth(AboutTab::TextWidth);
    return label;
}

// The address a link label shows: no scheme, no trailing slash.
QString SiteCaption() {
    QString site = FromView(about::Site);
    site.remove(QStringLiteral("https://")).remove(QStringLiteral("http://"));
    while (site.endsWith('/')) site.chop(1);
    return site;
}

}  // namespace

AboutTab::AboutTab(const QString& requirements, QWidget* parent) : HoverArea(parent) {
    setObjectName("Frame1");
    auto* page = new QGridLayout(this);
    page->setContentsMargins(16, 12, 16, 12);
    page->setHorizontalSpacing(18);
    page->setVerticalSpacing(10);

    auto* title = new QLabel(QStringLiteral("Desktop Sorvane"), this);
    title->setObjectName("Label6");
    QFont titleFont(QStringLiteral("DejaVu Serif"));
    titleFont.setStyleHint(QFont::Serif);
    titleFont.setPointSize(18);
    title->setFont(titleFont);
    page->addWidget(title, 0, 0, 1, 2);

    auto* picture = new AboutPicture(this);
    picture->setObjectName("Image1");
    picture->setAccessibleName(tr("A stack of slides with a landscape on the top one"));
    page->addWidget(picture, 1, 0, Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(10);
    page->addLayout(texts, 1, 1);

    // The first text ends with the e-mail link on its last line, as one
    // sentence; the lines are broken here so the link can follow the last one.
    label8_ = new HoverArea(this);
    label8_->setObjectName("Label8");
    email_ = new LinkLabel(FromView(about::Email) + '.', this);
    email_->setObjectName("lblEmail");
    {
        const QString text =
            tr("This program allows you to create a slide show web page on your desktop with no "
               "programming required. If you have any problems please email them to");
        const QFontMetrics metrics(font());
        QStringList lines = WrapLines(text, font(), TextWidth);
        const int space = metrics.horizontalAdvance(' ');
        const bool fits = metrics.horizontalAdvance(lines.last()) + space +
                              metrics.horizontalAdvance(email_->text()) <=
                          TextWidth;
        auto* column = new QVBoxLayout(label8_);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(0);
        auto* lastRow = new QHBoxLayout;
        lastRow->setSpacing(space);
        for (int i = 0; i < lines.size(); ++i) {
            auto* line = new QLabel(lines[i], label8_);
            line->setMouseTracking(true);  // the text block reports for its lines
            if (i + 1 < lines.size() || !fits)
                column->addWidget(line);
            else
                lastRow->addWidget(line);
        }
        lastRow->addWidget(email_);
        lastRow->addStretch();
        column->addLayout(lastRow);
        label8_->setFixedWidth(TextWidth);
    }
    texts->addWidget(label8_);
    texts->addWidget(Paragraph("Label7", requirements, this));
    texts->addWidget(
        Paragraph("Label9",
                  tr("This program is freeware and is provided as-is, without warranty of any "
                     "kind. You may pass it on to others freely."),
                  this));
    texts->addStretch();

    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(QFontMetrics(font()).horizontalAdvance(' '));
    auto* rights =
        new QLabel(tr("Copyright © 2026 the Desktop Sorvane authors. Images are from"), this);
    rights->setObjectName("Label10");
    site_ = new LinkLabel(SiteCaption(), this);
    site_->setObjectName("lblOrl");
    bottom->addWidget(rights);
    bottom->addWidget(site_);
    bottom->addStretch();
    page->addLayout(bottom, 2, 0, 1, 2);
    page->setRowStretch(1, 1);
    page->setColumnStretch(1, 1);  // room to spare goes to the right of the texts
}

}  // namespace sorvane
