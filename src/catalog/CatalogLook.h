#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <QVariantList>
#include <functional>

class QLabel;
class QWidget;

// What the sale and catalog screens share: texts of the table, the theme colour, fonts by
// their design names, bundle images, and the reading of typed numbers.
namespace CatalogLook {

// The text of the table; with arguments, its placeholders filled.
QString text(const QString& section, const QString& key);
QString text(const QString& section, const QString& key, const QVariantList& arguments);
// The theme colour (the default theme colour before the SDK is started).
QColor mainColor();
// A font by its design name ("HelveticaNeue-Medium"): the family keeps the name, the weight
// follows its suffix.
QFont font(const QString& name, qreal pointSize);
// A bundle image; a template image is tinted with the colour when one is given.
QImage image(const QString& name, const QColor& tint = QColor());
void setTextColor(QLabel* label, const QColor& color);

// The platform's integer reading of a text: leading blanks, an optional sign, then the leading
// digits; 0 when there are none ("  12ab" 12, "-3" -3, "x1" 0). Saturates at the int range.
int integerValue(const QString& text);

// A fraction as whole percent in the en_US style, halves to even: 0.15 "15%", 0.125 "12%".
QString percentText(double fraction);

// The first UTF-16 code unit of the text, or the empty text for an empty one.
QString firstCharacter(const QString& text);

// A keypad money text ("$1.234,56", "U$D 3,50") read back to cents from its digits: 123456.
qint64 centsOfKeypadText(const QString& text);

} // namespace CatalogLook

class Amount;
struct BarButtonItem;

namespace CatalogLook {
// A bar button with its title, objectName and action.
BarButtonItem barButton(const QString& title, const QString& name, std::function<void()> action,
                        bool enabled = true);
// The image clipped to a rounded rectangle of the radius, at the size given.
QImage rounded(const QImage& image, const QSize& size, qreal radius);
// The money text of a value in the current currency ("$ 42.50").
QString money(double value);
// The symbol of the amount's currency, the current one when it has none.
QString currencySymbol(const Amount* amount);
} // namespace CatalogLook
