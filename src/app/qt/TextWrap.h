#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace sorvane {

// The lines a text breaks into at `width` pixels in `font`: at word boundaries,
// and inside a word only when the word alone is wider (long file names).
QStringList WrapLines(const QString& text, const QFont& font, int width);

}  // namespace sorvane
