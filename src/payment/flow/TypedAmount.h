#pragma once

#include <QString>

// The amount in a field typed as digits with two implied decimals: the text's ASCII digits,
// whatever else it holds ("$ 1,234.56" and "123456" are 1234.56, "5" is 0.05, no digits 0).
// With dropDigitWithoutSymbol, a text that lost the currency symbol (a backspace deleted it)
// loses its last digit too: "$ 1,234.5" typed back to "1,234.5" reads 123.4.
double typedAmount(const QString& text, const QString& symbol, bool dropDigitWithoutSymbol);
