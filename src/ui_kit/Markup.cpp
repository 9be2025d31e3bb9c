#include "ui_kit/Markup.h"

#include <QList>

namespace {

QString plain(const QString& text) {
    QString escaped = text.toHtmlEscaped();
    escaped.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
    escaped.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    return escaped;
}

} // namespace

namespace Markup {

QString richText(const QString& markup) {
    const QLatin1StringView marker("**");
    QList<qsizetype> marks;
    for (qsizetype at = markup.indexOf(marker); at >= 0; at = markup.indexOf(marker, at + 2))
        marks << at;
    if (marks.size() % 2)
        marks.removeLast(); // the last one has no pair: it stays as text
    QString out;
    qsizetype from = 0;
    for (qsizetype i = 0; i < marks.size(); i += 2) {
        out += plain(markup.mid(from, marks[i] - from));
        out += QStringLiteral("<b>") +
               plain(markup.mid(marks[i] + 2, marks[i + 1] - marks[i] - 2)) +
               QStringLiteral("</b>");
        from = marks[i + 1] + 2;
    }
    out += plain(markup.mid(from));
    return out;
}

QString styledRichText(const QString& markup, const QFont& font, const QColor& color) {
    const int size = font.pixelSize() > 0 ? font.pixelSize() : qRound(font.pointSizeF());
    const QString unit = font.pixelSize() > 0 ? QStringLiteral("px") : QStringLiteral("pt");
    return QStringLiteral("<span style=\"font-family:'%1'; font-size:%2%3; font-weight:%4; "
                          "color:%5\">%6</span>")
        .arg(font.family())
        .arg(size)
        .arg(unit)
        .arg(font.weight())
        .arg(color.name())
        .arg(richText(markup));
}

} // namespace Markup
