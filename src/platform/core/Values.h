#pragma once

#include <QString>
#include <QVariant>
#include <optional>

// JSON values with the meaning the back end and the stored data give them: JSON null is
// QVariant::fromValue(nullptr), distinct from a missing value (an invalid QVariant).
namespace Values {

QVariant jsonNull();
bool isJsonNull(const QVariant& value);
// True for numbers and booleans (a JSON true is a number).
bool isNumber(const QVariant& value);

// The "%@" text of a value: JSON null renders "<null>", booleans "1"/"0", whole numbers without
// decimals, other numbers in their shortest round-trip form, maps and lists as a multi-line
// description. An invalid value renders "(null)".
QString describe(const QVariant& value);
// The "%@" text of a field; a missing field or JSON null reads as the empty text.
QString fieldText(const QVariant& value);

// Lenient readings of a text: leading blanks, an optional sign, then the leading digits;
// "12abc" is 12, "abc" is 0. Integers saturate at the 64-bit limits.
qint64 lenientInteger(const QString& text);
int lenientInt32(const QString& text);
double lenientDouble(const QString& text);
// True on a leading "Y", "y", "T", "t" or a digit 1-9 (after blanks, a sign and leading zeros).
bool lenientBool(const QString& text);
// A text of ASCII digits only, as a 64-bit number: "5000000000" is 5000000000; "", "-1",
// " 12", "12a", "032\nx" and "9223372036854775808" (too large) give nothing.
std::optional<qint64> digitsValue(const QString& text);

// Number or text to a number with the rules above; any other value gives 0.
qint64 integerValue(const QVariant& value);
double doubleValue(const QVariant& value);
bool boolValue(const QVariant& value);

// Shortest decimal text of a double that reads back to the same double ("0.1", "2.675").
QString shortestDouble(double value);

// The text C's printf gives for one double with a "%f" style format ("%.2lf", "%.0f%%"): an
// exact half rounds to even ("%.0f" of 10.5 is "10", of 11.5 "12"), where QString::asprintf
// rounds it up.
QString printfDouble(const char* format, double value);

} // namespace Values
