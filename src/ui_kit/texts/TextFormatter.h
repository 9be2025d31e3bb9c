#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

// Fills the placeholders of a table text with values, without printf: "%@" takes the value's
// text ("%@" description: a text as it is, a number in decimal), "%d" and "%i" an integer,
// "%.0f" (any "%.Nf" or "%f") a number with that many decimals, and "%%" gives a percent sign.
// Placeholders take the arguments in order; one without an argument is left out. Any other
// "%" sequence stays as written.
namespace TextFormatter {

QString format(const QString& text, const QVariantList& arguments);

} // namespace TextFormatter
