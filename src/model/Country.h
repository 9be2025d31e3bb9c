#pragma once

#include "model/AddressArea.h"
#include "model/Province.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

// A country of an address, with its provinces. A new country is the default one of a buyer:
// identifier "125", code "MX".
class Country : public AddressArea {
public:
    Country()
        : AddressArea(QStringLiteral("125"), QStringLiteral("MX")) {}

    // Same texts; a new list holding the same provinces.
    std::shared_ptr<Country> copy() const { return std::make_shared<Country>(*this); }
    // "countryId", "countryName", "countryCode"; none for a missing or non-object value.
    static std::shared_ptr<Country> fromDictionary(const QVariant& dictionary);

    const std::vector<ProvincePtr>& provinces() const { return provinces_; }
    void setProvinces(const std::vector<ProvincePtr>& value) { provinces_ = value; }

private:
    std::vector<ProvincePtr> provinces_;
};

using CountryPtr = std::shared_ptr<Country>;
