#pragma once

#include "platform/ui/TextField.h"

#include <QPointer>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

namespace i18n::phonenumbers {
class AsYouTypeFormatter;
}

// Formats telephone numbers by the rules of a two-letter region ("MX" unless told otherwise),
// as the phone-number library formats them while they are typed: only the digits count, the
// rest is the region's separators ("US" "2015550123" gives "(201) 555-0123"). A region the
// library does not know leaves the digits as they are.
class PhoneNumberFormatter {
public:
    static inline const QString kDefaultRegion = QStringLiteral("MX");

    explicit PhoneNumberFormatter(const QString& regionCode = kDefaultRegion);
    ~PhoneNumberFormatter();
    PhoneNumberFormatter(const PhoneNumberFormatter&) = delete;
    PhoneNumberFormatter& operator=(const PhoneNumberFormatter&) = delete;

    QString regionCode() const { return regionCode_; }
    // The field it serves, if any.
    TextField* textField() const { return textField_; }
    void setTextField(TextField* field) { textField_ = field; }

    // The text's digits 0-9 only ("(55) 12-34" gives "551234"); stringWithoutFormat is the same.
    static QString digitOnlyString(const QString& text);
    static QString stringWithoutFormat(const QString& text) { return digitOnlyString(text); }
    static int valuableCharCountIn(const QString& text);
    static bool isValuableChar(QChar c);

    // A text's digits formatted for the region; none for anything that is not a text.
    std::optional<QString> stringForObjectValue(const QVariant& object) const;
    // Stores the text's digits as the object value; always succeeds.
    bool getObjectValue(QVariant* object, const QString& string, QString* errorDescription) const;
    // True when the pattern (case-insensitive) occurs anywhere in the text.
    static bool matchString(const QString& string, const QString& pattern);
    static bool isRequireSubstitute(QChar c) { return c == QLatin1Char('#'); }

private:
    QString regionCode_;
    std::unique_ptr<i18n::phonenumbers::AsYouTypeFormatter> formatter_;
    QPointer<TextField> textField_;
};
