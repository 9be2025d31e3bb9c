#include "model/Promotion.h"

#include "platform/core/SafeDictionary.h"
#include "platform/core/Values.h"

std::shared_ptr<Promotion> Promotion::fromDictionary(const QVariant& value) {
    if (!value.isValid() || Values::isJsonNull(value) || value.typeId() != QMetaType::QVariantMap)
        return nullptr;
    const QVariantMap d = value.toMap();
    auto has = [&d](const char* key) { return SafeDictionary::hasKey(d, QLatin1String(key)); };
    auto text = [&d](const char* key) {
        return SafeDictionary::safeObjectForKey(d, QLatin1String(key));
    };
    auto number = [&d, &has](const char* key) -> std::optional<double> {
        if (!has(key))
            return std::nullopt;
        return Values::doubleValue(d.value(QLatin1String(key)));
    };
    auto promotion = std::make_shared<Promotion>();
    promotion->identifier_ = text("PromotionId");
    promotion->rateIdentifier_ = text("RateId");
    if (has("Payment"))
        promotion->payment_ =
            Amount::initWithDouble(Values::doubleValue(d.value(QStringLiteral("Payment"))));
    promotion->TNA_ = number("Tna");
    promotion->TEA_ = number("TEA");
    promotion->CFT_ = number("CFT");
    promotion->priority_ = text("Priority");
    promotion->buyerCFBonus_ = text("BuyerCfBonus");
    promotion->coefficient_ = number("Coefficient");
    promotion->discountRate_ = number("discountPercentage");
    promotion->directRate_ = number("DirectRate");
    promotion->interestRate_ = number("interestPercentage");
    if (has("trasladaCFT"))
        promotion->transportCFT_ = Values::boolValue(d.value(QStringLiteral("trasladaCFT")));
    return promotion;
}
