#pragma once

#include "model/values/DecimalNumber.h"

#include <QString>
#include <QVariantMap>
#include <memory>

class Currency;

// A money value: an exact decimal with the currency whose symbol it prints ("$ 1,234.50").
// Amounts are shared by reference (a sale's tip, a line's discount), so they are held through
// std::shared_ptr and never copied by accident. Also the model of the amount keypads: digits
// typed with two implied decimals, at most nine of them.
class Amount {
public:
    // 0.00 in the current currency.
    Amount();
    Amount(const Amount&) = delete;
    Amount& operator=(const Amount&) = delete;

    static std::shared_ptr<Amount> init();
    // The decimal digits of the double as it is, unrounded.
    static std::shared_ptr<Amount> initWithDouble(double value);
    static std::shared_ptr<Amount> initWithDecimal(const DecimalNumber& value);
    // The number under "amount", 0 when missing or not a number.
    static std::shared_ptr<Amount> initWithDictionary(const QVariantMap& dictionary);

    DecimalNumber amountNumber() const { return amountNumber_; }
    void setAmountNumber(const DecimalNumber& value) { amountNumber_ = value; }
    std::shared_ptr<Currency> currency() const { return currency_; }
    void setCurrency(std::shared_ptr<Currency> value);

    // Money text with the symbol of the amount's currency: "$ 1,234.50".
    QString getAmount();
    QString description() { return getAmount(); }
    // Money text of the whole units: "$ 1,235".
    QString getIntAmount();
    // Money text with the given symbol, which the keypad texts keep until the next getAmount().
    QString getAmountwithCurrencyFormat(const QString& symbol);

    // The value rounded to cents (halves away from zero), as a double.
    double doubleValue() const;
    // The whole part, fraction dropped, limited to the int range.
    int intValue() const;

    // Back to 0.00; the text with the symbol last used.
    QString resetAmount();
    // Keypad entry: appends the typed digits (refused whole when the digit string would pass
    // nine digits or when they are not digits); returns the new text.
    QString addDigit(const QString& digits);
    // Keypad erase: drops the last digit; returns the new text.
    QString removeLastDigit();

    // Caps a typed price at 9999999.99, showing the maximum-price alert when it was above.
    static double maxAmountLimit(double value);
    static constexpr double kMaximumPrice = 9999999.99;

private:
    QString formatted() const;
    QString digitString() const;
    void setFromDigitString(QString digits);

    DecimalNumber amountNumber_;
    std::shared_ptr<Currency> currency_;
    QString formatterSymbol_;
};

using AmountPtr = std::shared_ptr<Amount>;
