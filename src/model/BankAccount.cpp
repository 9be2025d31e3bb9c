#include "model/BankAccount.h"

namespace {
bool allDigits(const QString& text) {
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}
} // namespace

bool BankAccount::isValidAccountUniqueNumber(const QString& number, const QString& country) {
    return country == QLatin1String("AR") && allDigits(number) && number.size() == 22;
}

bool BankAccount::isValidAccountNameAssociatedNumber(const QString& number,
                                                     const QString& country) {
    if (country != QLatin1String("AR"))
        return false;
    if (!allDigits(number) || (number.size() != 10 && number.size() != 11))
        return false;
    const QString prefix = number.left(2);
    const QString body = number.left(number.size() - 1);
    int sum = 0;
    int weight = 2;
    for (qsizetype i = body.size() - 1; i >= 0; --i) {
        sum += (body.at(i).unicode() - '0') * weight;
        weight = weight == 7 ? 2 : weight + 1;
    }
    int expected = 11 - sum % 11;
    if (expected == 11)
        expected = 0;
    else if (expected == 10)
        expected = 9;
    const bool knownPrefix = prefix == QLatin1String("20") || prefix == QLatin1String("27") ||
                             prefix == QLatin1String("23") || prefix == QLatin1String("30");
    return knownPrefix && number.right(1) == QString::number(expected);
}
