#include "model/values/Amount.h"

#include "model/values/Currency.h"
#include "model/values/ModelTexts.h"
#include "platform/core/SafeDictionary.h"
#include "ui_kit/texts/TextFormatter.h"

#include <cmath>
#include <limits>

namespace {
constexpr int kMaximumDigits = 9;

QString moneyText(const QString& symbol, const DecimalNumber& value, int places) {
    const QString number = value.abs().fixedText(places, true);
    const QString text = symbol + QLatin1Char(' ') + number;
    // Negative amounts carry the sign ahead of the symbol.
    return value.roundedToPlaces(places).isNegative() ? QLatin1Char('-') + text : text;
}
} // namespace

Amount::Amount()
    : amountNumber_(DecimalNumber::fromCents(0))
    , currency_(Currency::instance())
    , formatterSymbol_(currency_->format()) {}

std::shared_ptr<Amount> Amount::init() {
    return std::make_shared<Amount>();
}

std::shared_ptr<Amount> Amount::initWithDouble(double value) {
    auto amount = std::make_shared<Amount>();
    amount->amountNumber_ = DecimalNumber::fromDouble(value);
    return amount;
}

std::shared_ptr<Amount> Amount::initWithDecimal(const DecimalNumber& value) {
    auto amount = std::make_shared<Amount>();
    amount->amountNumber_ = value;
    return amount;
}

std::shared_ptr<Amount> Amount::initWithDictionary(const QVariantMap& dictionary) {
    return initWithDouble(
        SafeDictionary::doubleForKeyPath(dictionary, QStringLiteral("amount"), 0));
}

void Amount::setCurrency(std::shared_ptr<Currency> value) {
    currency_ = value ? std::move(value) : Currency::instance();
}

QString Amount::formatted() const {
    return moneyText(formatterSymbol_, amountNumber_, 2);
}

QString Amount::getAmount() {
    formatterSymbol_ = currency_->format();
    return formatted();
}

QString Amount::getIntAmount() {
    formatterSymbol_ = currency_->format();
    return moneyText(formatterSymbol_, amountNumber_, 0);
}

QString Amount::getAmountwithCurrencyFormat(const QString& symbol) {
    formatterSymbol_ = symbol;
    return formatted();
}

double Amount::doubleValue() const {
    return amountNumber_.roundedToCents().toDouble();
}

int Amount::intValue() const {
    const double whole = std::trunc(amountNumber_.toDouble());
    if (whole >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (whole <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(whole);
}

QString Amount::resetAmount() {
    amountNumber_ = DecimalNumber::fromCents(0);
    return formatted();
}

QString Amount::digitString() const {
    // The value to cents as bare digits, two decimals included: 0.05 is "005", 12.34 is "1234".
    const DecimalNumber cents = amountNumber_.roundedToCents();
    QString text = cents.abs().fixedText(2, false).remove(QLatin1Char('.'));
    return cents.isNegative() ? QLatin1Char('-') + text : text;
}

void Amount::setFromDigitString(QString digits) {
    const bool negative = digits.startsWith(QLatin1Char('-'));
    if (negative)
        digits.remove(0, 1);
    while (digits.size() < 3)
        digits.prepend(QLatin1Char('0'));
    const QString text = digits.left(digits.size() - 2) + QLatin1Char('.') + digits.right(2);
    const DecimalNumber value = DecimalNumber::fromString(text);
    amountNumber_ = negative ? value.negated() : value;
}

QString Amount::addDigit(const QString& digits) {
    bool onlyDigits = !digits.isEmpty();
    for (const QChar c : digits)
        onlyDigits = onlyDigits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    QString s = digitString();
    if (onlyDigits && s.size() + digits.size() <= kMaximumDigits)
        s += digits;
    setFromDigitString(s);
    return formatted();
}

QString Amount::removeLastDigit() {
    QString s = digitString().trimmed();
    const bool negative = s.startsWith(QLatin1Char('-'));
    if (negative)
        s.remove(0, 1);
    s.chop(1);
    s.prepend(QLatin1Char('0'));
    setFromDigitString(negative ? QLatin1Char('-') + s : s);
    return formatted();
}

double Amount::maxAmountLimit(double value) {
    if (std::isnan(value))
        return 0;
    if (value <= kMaximumPrice)
        return value;
    auto cap = initWithDouble(kMaximumPrice);
    const QString message = TextFormatter::format(
        ModelTexts::textForFile(QStringLiteral("CatalogSale"), QStringLiteral("maximumPrice")),
        {cap->getAmount()});
    ModelTexts::showAlert(
        QString(), message,
        ModelTexts::textForFile(QStringLiteral("TaxAmounts"), QStringLiteral("accept")));
    return kMaximumPrice;
}
