#include "model/Country.h"

#include "platform/core/SafeDictionary.h"
#include "platform/core/Values.h"

std::shared_ptr<Country> Country::fromDictionary(const QVariant& value) {
    if (!value.isValid() || Values::isJsonNull(value) || value.typeId() != QMetaType::QVariantMap)
        return nullptr;
    const QVariantMap d = value.toMap();
    auto country = std::make_shared<Country>();
    country->identifier_ = SafeDictionary::safeObjectForKey(d, QStringLiteral("countryId"));
    country->name_ = SafeDictionary::safeObjectForKey(d, QStringLiteral("countryName"));
    country->code_ = SafeDictionary::safeObjectForKey(d, QStringLiteral("countryCode"));
    return country;
}
