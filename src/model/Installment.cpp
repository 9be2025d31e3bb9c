#include "model/Installment.h"

#include "platform/core/SafeDictionary.h"
#include "platform/core/Values.h"

#include <cmath>
#include <limits>

namespace {
std::optional<QVariantMap> recordOf(const QVariant& value) {
    if (!value.isValid() || Values::isJsonNull(value) || value.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    return value.toMap();
}

// The whole number of a value, truncated and kept inside the 32-bit range.
int wholeNumber(const QVariant& value) {
    const double d = std::trunc(Values::doubleValue(value));
    if (!std::isfinite(d))
        return 0;
    if (d >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (d <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(d);
}
} // namespace

std::shared_ptr<Installment> Installment::instanceFromDictionary(const QVariant& value) {
    const auto record = recordOf(value);
    if (!record)
        return nullptr;
    const QVariantMap& d = *record;
    auto has = [&d](const char* key) { return SafeDictionary::hasKey(d, QLatin1String(key)); };
    auto text = [&d](const char* key) {
        return SafeDictionary::safeObjectForKey(d, QLatin1String(key));
    };
    auto raw = [&d](const char* key) { return d.value(QLatin1String(key)); };
    auto installment = std::make_shared<Installment>();

    if (has("name"))
        installment->name_ = text("name");
    else if (has("Name"))
        installment->name_ = text("Name");
    if (has("amount"))
        installment->amount_ = Amount::initWithDouble(Values::doubleValue(raw("amount")));
    else if (has("Amount"))
        installment->amount_ = Amount::initWithDouble(Values::doubleValue(raw("Amount")));
    if (has("image"))
        installment->imageURL_ = QUrl(Values::describe(raw("image")));
    if (has("installment"))
        installment->number_ = wholeNumber(raw("installment"));
    else if (has("number"))
        installment->number_ = wholeNumber(raw("number"));
    if (has("InstallmentId"))
        installment->identifier_ = text("InstallmentId");
    else if (has("installmentId"))
        installment->identifier_ = text("installmentId");
    else if (has("Id"))
        installment->identifier_ = text("Id");
    if (has("PromotionId"))
        installment->promotion_ = Promotion::fromDictionary(d);
    if (has("commission"))
        installment->commision_ = Values::doubleValue(raw("commission"));
    if (has("receivedAmount"))
        installment->receivedAmount_ =
            Amount::initWithDouble(Values::lenientDouble(text("receivedAmount")));
    if (has("financialRate"))
        installment->financialRate_ = Values::lenientDouble(text("financialRate"));
    if (has("total"))
        installment->total_ = Values::lenientDouble(text("total"));
    return installment;
}

std::shared_ptr<Installment> Installment::instanceBankAccountFromDictionary(const QVariant& value) {
    const auto record = recordOf(value);
    if (!record)
        return nullptr;
    auto installment = std::make_shared<Installment>();
    installment->identifier_ =
        SafeDictionary::safeObjectForKey(*record, QStringLiteral("installmentId"));
    if (installment->identifier_.isEmpty())
        installment->identifier_ =
            SafeDictionary::safeObjectForKey(*record, QStringLiteral("number"));
    installment->name_ = SafeDictionary::safeObjectForKey(*record, QStringLiteral("name"));
    return installment;
}
