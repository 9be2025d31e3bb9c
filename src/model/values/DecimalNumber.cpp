#include "model/values/DecimalNumber.h"

#include "platform/core/Logging.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace {
constexpr int kMaxScale = 30;
constexpr int kMaxDigits = 36;

__int128 pow10(int n) {
    __int128 p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

bool fitsInt64(__int128 value) {
    return value <= __int128(INT64_MAX) && value >= -__int128(INT64_MAX);
}

const __int128 kMaxCoefficient = pow10(kMaxDigits) - 1;

// Multiplies by 10^n unless the result would leave the coefficient range.
bool scaleUp(__int128 value, int n, __int128& out) {
    __int128 limit = kMaxCoefficient;
    for (int i = 0; i < n; ++i)
        limit /= 10;
    if (value > limit || value < -limit)
        return false;
    out = value * pow10(n);
    return true;
}

// Divides by 10^n, halves away from zero.
__int128 divideRounded(__int128 value, int n) {
    if (n <= 0)
        return value;
    if (n > 38)
        return 0;
    if (fitsInt64(value) && n <= 18) {
        const long long v = static_cast<long long>(value);
        const long long div = static_cast<long long>(pow10(n));
        long long q = v / div;
        long long r = v % div;
        if (r < 0)
            r = -r;
        if (r >= div - r)
            q += v < 0 ? -1 : 1;
        return q;
    }
    const __int128 div = pow10(n);
    __int128 q = value / div;
    __int128 r = value % div;
    if (r < 0)
        r = -r;
    if (r * 2 >= div)
        q += value < 0 ? -1 : 1;
    return q;
}

std::string digitsOf(__int128 value) {
    if (value == 0)
        return "0";
    if (fitsInt64(value))
        return std::to_string(static_cast<long long>(value));
    std::string s;
    while (value > 0) {
        s.insert(s.begin(), char('0' + int(value % 10)));
        value /= 10;
    }
    return s;
}

// Reads sign, mantissa digits and exponent; false when the text is not a number.
bool parse(std::string_view text, bool& negative, std::string& digits, int& fractionDigits,
           long& exponent) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    digits.clear();
    fractionDigits = 0;
    bool any = false;
    while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) {
        digits.push_back(text[i++]);
        any = true;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) {
            digits.push_back(text[i++]);
            ++fractionDigits;
            any = true;
        }
    }
    if (!any)
        return false;
    exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            expNegative = text[i++] == '-';
        bool expAny = false;
        while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) {
            if (exponent < 100000)
                exponent = exponent * 10 + (text[i] - '0');
            ++i;
            expAny = true;
        }
        if (!expAny)
            return false;
        if (expNegative)
            exponent = -exponent;
    }
    while (i < n && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    return i == n;
}
} // namespace

DecimalNumber::DecimalNumber(__int128 coefficient, int scale)
    : coefficient_(coefficient)
    , scale_(scale) {
    normalize();
}

void DecimalNumber::normalize() {
    if (fitsInt64(coefficient_)) {
        long long c = static_cast<long long>(coefficient_);
        while (scale_ > 0 && c % 10 == 0) {
            c /= 10;
            --scale_;
        }
        coefficient_ = c;
    }
    while (scale_ > 0 && coefficient_ % 10 == 0) {
        coefficient_ /= 10;
        --scale_;
    }
    if (coefficient_ == 0)
        scale_ = 0;
}

DecimalNumber DecimalNumber::fromDouble(double value) {
    if (!std::isfinite(value)) {
        Logging::warning(tarvelloSale,
                         QStringLiteral("DecimalNumber: not a finite number, taken as 0"));
        return DecimalNumber();
    }
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return fromText(std::string_view(buffer, size_t(result.ptr - buffer)));
}

bool DecimalNumber::isValidText(const QString& text) {
    bool negative;
    std::string digits;
    int fractionDigits;
    long exponent;
    return parse(text.toStdString(), negative, digits, fractionDigits, exponent);
}

DecimalNumber DecimalNumber::fromString(const QString& text) {
    return fromText(text.toStdString());
}

DecimalNumber DecimalNumber::fromText(std::string_view text) {
    bool negative;
    std::string digits;
    int fractionDigits;
    long exponent;
    if (!parse(text, negative, digits, fractionDigits, exponent))
        return DecimalNumber();
    // Leading zeros carry nothing.
    size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return DecimalNumber();
    digits.erase(0, first);
    long scale = long(fractionDigits) - exponent;
    // Keep at most kMaxDigits significant digits, rounding the rest away.
    int dropped = 0;
    if (int(digits.size()) > kMaxDigits) {
        dropped = int(digits.size()) - kMaxDigits;
    }
    __int128 coefficient = 0;
    for (size_t k = 0; k < digits.size() - size_t(dropped); ++k)
        coefficient = coefficient * 10 + (digits[k] - '0');
    if (dropped > 0) {
        if (digits[digits.size() - size_t(dropped)] >= '5')
            coefficient += 1;
        scale -= dropped;
    }
    if (scale > kMaxScale) {
        const long excess = scale - kMaxScale;
        coefficient = excess > 38 ? 0 : divideRounded(coefficient, int(excess));
        scale = kMaxScale;
    }
    if (scale < 0) {
        __int128 scaled;
        if (!scaleUp(coefficient, int(std::min(-scale, 40L)), scaled)) {
            Logging::warning(tarvelloSale,
                             QStringLiteral("DecimalNumber: value out of range: %1")
                                 .arg(QString::fromLatin1(text.data(), qsizetype(text.size()))));
            scaled = kMaxCoefficient;
        }
        coefficient = scaled;
        scale = 0;
    }
    return DecimalNumber(negative ? -coefficient : coefficient, int(scale));
}

DecimalNumber DecimalNumber::fromCents(qint64 cents) {
    return DecimalNumber(__int128(cents), 2);
}

DecimalNumber DecimalNumber::roundedToPlaces(int places) const {
    if (places < 0)
        places = 0;
    if (scale_ <= places)
        return *this;
    return DecimalNumber(divideRounded(coefficient_, scale_ - places), places);
}

DecimalNumber DecimalNumber::roundedToCents() const {
    return roundedToPlaces(2);
}

double DecimalNumber::toDouble() const {
    const std::string text = plainText();
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

QString DecimalNumber::toString() const {
    return QString::fromStdString(plainText());
}

std::string DecimalNumber::plainText() const {
    const bool negative = coefficient_ < 0;
    std::string digits = digitsOf(negative ? -coefficient_ : coefficient_);
    if (scale_ > 0) {
        if (int(digits.size()) <= scale_)
            digits.insert(0, size_t(scale_ + 1) - digits.size(), '0');
        digits.insert(digits.size() - size_t(scale_), 1, '.');
    }
    if (negative)
        digits.insert(0, 1, '-');
    return digits;
}

QString DecimalNumber::fixedText(int places, bool grouped) const {
    if (places < 0)
        places = 0;
    const DecimalNumber rounded = roundedToPlaces(places);
    __int128 c = rounded.coefficient_;
    const bool negative = c < 0;
    if (negative)
        c = -c;
    // Bring the coefficient to exactly `places` decimals.
    c *= pow10(places - rounded.scale_);
    std::string digits = digitsOf(c);
    if (int(digits.size()) <= places)
        digits.insert(0, size_t(places + 1) - digits.size(), '0');
    std::string whole = digits.substr(0, digits.size() - size_t(places));
    const std::string fraction = digits.substr(digits.size() - size_t(places));
    if (grouped) {
        for (int pos = int(whole.size()) - 3; pos > 0; pos -= 3)
            whole.insert(size_t(pos), 1, ',');
    }
    std::string out = negative ? "-" + whole : whole;
    if (places > 0)
        out += "." + fraction;
    return QString::fromStdString(out);
}

DecimalNumber DecimalNumber::negated() const {
    return DecimalNumber(-coefficient_, scale_);
}

DecimalNumber DecimalNumber::plus(const DecimalNumber& other) const {
    const int scale = std::max(scale_, other.scale_);
    __int128 a, b;
    if (scaleUp(coefficient_, scale - scale_, a) &&
        scaleUp(other.coefficient_, scale - other.scale_, b)) {
        const __int128 sum = a + b;
        if (sum <= kMaxCoefficient && sum >= -kMaxCoefficient)
            return DecimalNumber(sum, scale);
    }
    return fromDouble(toDouble() + other.toDouble());
}

int DecimalNumber::compare(const DecimalNumber& other) const {
    const int scale = std::max(scale_, other.scale_);
    __int128 a, b;
    if (scaleUp(coefficient_, scale - scale_, a) &&
        scaleUp(other.coefficient_, scale - other.scale_, b))
        return a < b ? -1 : (a > b ? 1 : 0);
    const double x = toDouble(), y = other.toDouble();
    return x < y ? -1 : (x > y ? 1 : 0);
}

double DecimalNumber::roundCents(double value) {
    return fromDouble(value).roundedToCents().toDouble();
}

QString DecimalNumber::centsText(double value) {
    return fromDouble(value).fixedText(2, false);
}
