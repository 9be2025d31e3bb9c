#pragma once

#include <QString>
#include <string>
#include <string_view>

// An exact base-10 number: a signed integer coefficient scaled by a power of ten. Money is held
// in this form so that what is typed or received keeps every digit it had.
class DecimalNumber {
public:
    // Zero.
    DecimalNumber() = default;

    // The shortest decimal digits that read back to the double (2.675 is 2.675, not the binary
    // value just below it). NaN and infinities give zero.
    static DecimalNumber fromDouble(double value);
    // A plain decimal text: optional sign, digits, optional "." and digits, optional exponent.
    // Text that does not read as a number gives zero; isValidText() tells them apart.
    static DecimalNumber fromString(const QString& text);
    static bool isValidText(const QString& text);
    // An integer count of hundredths (1234 is 12.34).
    static DecimalNumber fromCents(qint64 cents);

    // Rounds to two decimals, halves away from zero (2.675 to 2.68, 1.005 to 1.01, 0.125 to
    // 0.13, -0.125 to -0.13). The one cents rounding of every shown or sent amount.
    DecimalNumber roundedToCents() const;
    // The same rule at any number of decimals (0 for whole units).
    DecimalNumber roundedToPlaces(int places) const;

    // The double nearest to the value.
    double toDouble() const;
    // Plain text with every significant digit: "1234.5", "0.05", "-3".
    QString toString() const;
    // Text with exactly `places` decimals (rounded as above), optionally grouped with "," by
    // thousands, "." as decimal separator: fixedText(2, true) of 1234.5 is "1,234.50".
    QString fixedText(int places, bool grouped) const;

    bool isZero() const { return coefficient_ == 0; }
    bool isNegative() const { return coefficient_ < 0; }
    DecimalNumber negated() const;
    DecimalNumber abs() const { return isNegative() ? negated() : *this; }
    DecimalNumber plus(const DecimalNumber& other) const;

    // Compares the values (1.5 equals 1.50).
    int compare(const DecimalNumber& other) const;
    bool operator==(const DecimalNumber& other) const { return compare(other) == 0; }
    bool operator<(const DecimalNumber& other) const { return compare(other) < 0; }

    // Cents rounding of a double, on its shortest decimal digits: roundCents(2.675) is 2.68.
    static double roundCents(double value);
    // The wire text of a money double: cents rounding, then exactly two decimals, no grouping.
    static QString centsText(double value);

private:
    DecimalNumber(__int128 coefficient, int scale);
    static DecimalNumber fromText(std::string_view text);
    std::string plainText() const;
    void normalize();

    __int128 coefficient_ = 0;
    int scale_ = 0; // value = coefficient_ / 10^scale_, scale_ >= 0
};
