#pragma once

#include <QColor>
#include <QFont>
#include <QString>

// The texts' small markup, made into rich text for labels: a run between two "**" is bold,
// everything else is plain text (HTML characters escaped, line breaks kept). A "**" left
// without its pair stays as written.
//   richText("Conecta el **cable USB**") == "Conecta el <b>cable USB</b>"
//   richText("a ** b")                   == "a ** b"
namespace Markup {

QString richText(const QString& markup);
// The rich text in the font's family, pixel size and weight and in the colour.
QString styledRichText(const QString& markup, const QFont& font, const QColor& color);

} // namespace Markup
