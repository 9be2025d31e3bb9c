#include "model/AlternatePaymentBlock.h"

#include "platform/core/SafeDictionary.h"
#include "platform/core/Values.h"

AlternatePaymentBlock::AlternatePaymentBlock(const QVariantMap& record, const QString& blockKey)
    : record_(record) {
    const QVariant block = record.value(blockKey);
    source_ = SafeDictionary::hasKey(record, blockKey) && block.typeId() == QMetaType::QVariantMap
                  ? block.toMap()
                  : record;
}

bool AlternatePaymentBlock::has(const char* key) const {
    return SafeDictionary::hasKey(source_, QLatin1String(key));
}

void AlternatePaymentBlock::text(const char* key, QString& field) const {
    if (has(key))
        field = Values::describe(source_.value(QLatin1String(key)));
}

void AlternatePaymentBlock::number(const char* key, double& field) const {
    if (has(key))
        field = Values::doubleValue(source_.value(QLatin1String(key)));
}

void AlternatePaymentBlock::issuerImage(QString& field) const {
    if (SafeDictionary::hasKey(record_, QStringLiteral("issuerImageUrl")))
        field = Values::describe(record_.value(QStringLiteral("issuerImageUrl")));
}

double AlternatePaymentBlock::price(double initialBalance, double currentBalance) const {
    if (SafeDictionary::hasKey(record_, QStringLiteral("totalAmount")))
        return Values::doubleValue(record_.value(QStringLiteral("totalAmount")));
    return initialBalance - currentBalance;
}
