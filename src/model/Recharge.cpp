#include "model/Recharge.h"

#include "model/AlternatePaymentBlock.h"
#include "model/values/Amount.h"

std::shared_ptr<Recharge> Recharge::withDictionary(const QVariantMap& record) {
    auto recharge = std::make_shared<Recharge>();
    recharge->initWithDictionary(record);
    return recharge;
}

void Recharge::initWithDictionary(const QVariantMap& record) {
    const AlternatePaymentBlock block(record, QStringLiteral("recharge"));
    readCompanyAndAmounts(block);
    block.text("orderId", orderId_);
    block.text("type", type_);
    block.text("companyCode", companyCode_);
    if (block.has("companyIcon"))
        block.text("companyIcon", companyIcon_);
    else
        block.issuerImage(companyIcon_);
    block.text("placeholder", placeholder_);
    block.text("destinationNumber", destinationNumber_);
    block.number("destinationCurrentBalance", destinationCurrentBalance_);
}

QImage Recharge::itemIcon() const {
    return letterAvatar(companyName_.isEmpty() ? type_ : companyName_);
}

std::optional<QString> Recharge::commissionTitle() const {
    return Amount::initWithDouble(commission_)->getAmount();
}

std::optional<QString> Recharge::commissionSubTitle() const {
    return QStringLiteral("Comisión obtenida por recarga");
}
