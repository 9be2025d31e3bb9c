#pragma once

#include <QString>
#include <functional>

// Reading typed amounts.
namespace Formatter {

// Keeps only the digits 0-9 of the text, reads them as cents (no digits read as 0) and returns
// the formatter's text for that amount: "$ 1.234,56" gives the formatter's text for 1234.56.
QString formatWithFormatter(const QString& text, const std::function<QString(double)>& formatter);

} // namespace Formatter
