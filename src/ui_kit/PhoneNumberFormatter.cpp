#include "ui_kit/PhoneNumberFormatter.h"

#include "ui_kit/Extensions/Formatter.h"

#include <QRegularExpression>
#include <phonenumbers/asyoutypeformatter.h>
#include <phonenumbers/phonenumberutil.h>

using i18n::phonenumbers::AsYouTypeFormatter;
using i18n::phonenumbers::PhoneNumberUtil;

PhoneNumberFormatter::PhoneNumberFormatter(const QString& regionCode)
    : regionCode_(regionCode)
    , formatter_(PhoneNumberUtil::GetInstance()->GetAsYouTypeFormatter(regionCode.toStdString())) {}

PhoneNumberFormatter::~PhoneNumberFormatter() = default;

QString PhoneNumberFormatter::digitOnlyString(const QString& text) {
    return Formatter::digitsOnly(text);
}

int PhoneNumberFormatter::valuableCharCountIn(const QString& text) {
    return int(std::count_if(text.begin(), text.end(), isValuableChar));
}

bool PhoneNumberFormatter::isValuableChar(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

std::optional<QString> PhoneNumberFormatter::stringForObjectValue(const QVariant& object) const {
    if (object.typeId() != QMetaType::QString)
        return std::nullopt;
    const QString digits = stringWithoutFormat(object.toString());
    formatter_->Clear();
    std::string formatted;
    for (const QChar digit : digits)
        formatter_->InputDigit(digit.unicode(), &formatted);
    return QString::fromStdString(formatted);
}

bool PhoneNumberFormatter::getObjectValue(QVariant* object, const QString& string,
                                          QString* errorDescription) const {
    (void)errorDescription;
    if (object)
        *object = digitOnlyString(string);
    return true;
}

bool PhoneNumberFormatter::matchString(const QString& string, const QString& pattern) {
    const QRegularExpression expression(pattern, QRegularExpression::CaseInsensitiveOption);
    return expression.isValid() && expression.match(string).hasMatch();
}
