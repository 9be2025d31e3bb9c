#pragma once

#include <QString>
#include <functional>

// Reading typed amounts and numbers.
namespace Formatter {

// The characters 0-9 of the text, in order ("(55) 12-34" gives "551234").
QString digitsOnly(const QString& text);

// Keeps only the digits 0-9 of the text, reads them as cents (no digits read as 0) and returns
// the formatter's text for that amount: "$ 1.234,56" gives the formatter's text for 1234.56.
QString formatWithFormatter(const QString& text, const std::function<QString(double)>& formatter);

} // namespace Formatter
