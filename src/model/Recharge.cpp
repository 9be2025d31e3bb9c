#include "model/Recharge.h"

#include "model/Amount.h"
#include "platform/core/Values.h"
#include "ui_kit/Extensions/SafeDictionary.h"

std::shared_ptr<Recharge> Recharge::withDictionary(const QVariantMap& record) {
    auto recharge = std::make_shared<Recharge>();
    recharge->initWithDictionary(record);
    return recharge;
}

void Recharge::initWithDictionary(const QVariantMap& record) {
    const QVariant block = record.value(QStringLiteral("recharge"));
    const QVariantMap source = SafeDictionary::hasKey(record, QStringLiteral("recharge")) &&
                                       block.typeId() == QMetaType::QVariantMap
                                   ? block.toMap()
                                   : record;
    auto text = [&source](const char* key, QString& field) {
        if (SafeDictionary::hasKey(source, QLatin1String(key)))
            field = Values::describe(source.value(QLatin1String(key)));
    };
    auto number = [&source](const char* key, double& field) {
        if (SafeDictionary::hasKey(source, QLatin1String(key)))
            field = Values::doubleValue(source.value(QLatin1String(key)));
    };
    text("orderId", orderId_);
    text("type", type_);
    text("companyName", companyName_);
    text("companyCode", companyCode_);
    if (SafeDictionary::hasKey(source, QStringLiteral("companyIcon")))
        text("companyIcon", companyIcon_);
    else if (SafeDictionary::hasKey(record, QStringLiteral("issuerImageUrl")))
        companyIcon_ = Values::describe(record.value(QStringLiteral("issuerImageUrl")));
    text("placeholder", placeholder_);
    text("destinationNumber", destinationNumber_);
    number("commission", commission_);
    number("initialBalance", initialBalance_);
    number("currentBalance", currentBalance_);
    number("destinationCurrentBalance", destinationCurrentBalance_);
    if (SafeDictionary::hasKey(record, QStringLiteral("totalAmount")))
        price_ = Values::doubleValue(record.value(QStringLiteral("totalAmount")));
    else
        price_ = initialBalance_ - currentBalance_;
}

QImage Recharge::itemIcon() const {
    return letterAvatar(companyName_.isEmpty() ? type_ : companyName_);
}

QString Recharge::itemAmount() const {
    return Amount::initWithDouble(price_)->getAmount();
}

std::optional<QString> Recharge::commissionTitle() const {
    return Amount::initWithDouble(commission_)->getAmount();
}

std::optional<QString> Recharge::commissionSubTitle() const {
    return QStringLiteral("Comisión obtenida por recarga");
}
