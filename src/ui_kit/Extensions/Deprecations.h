#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>

// How a text that does not fit is broken into lines or cut.
enum class LineBreakMode {
    ByWordWrapping,
    ByCharWrapping,
    ByClipping,
    ByTruncatingHead,
    ByTruncatingTail,
    ByTruncatingMiddle,
};

// Measuring texts for labels whose size follows their text. Sizes are in points, width and
// height each rounded up to a whole number.
namespace Deprecations {

// The size of the text on one line within the width, the font shrunk (down to the minimum size)
// until the text fits; the size used is written to actualFontSize when given. A text that does
// not fit even at the minimum size is cut to the width.
QSizeF deprecatedSizeWithFontMinFontSize(const QString& text, const QFont& font, qreal minFontSize,
                                         qreal* actualFontSize, qreal width,
                                         LineBreakMode lineBreakMode);

// The size of the text laid out on as many lines as needed within the bounding size (word
// wrapping).
QSizeF deprecatedSizeWithFontConstrainedToSize(const QString& text, const QFont& font,
                                               const QSizeF& size);

// As above with the line-break mode applied: the wrapping modes break lines, the clipping and
// truncating modes keep each paragraph on one line.
QSizeF deprecatedSizeWithFontConstrainedToSizeLineBreakMode(const QString& text, const QFont& font,
                                                            const QSizeF& size,
                                                            LineBreakMode lineBreakMode);

// Width and height each rounded up to a whole number in single precision.
QSizeF roundedUp(const QSizeF& size);

} // namespace Deprecations
