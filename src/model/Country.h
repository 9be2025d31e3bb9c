#pragma once

#include "model/Province.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

// A country of an address, with its provinces. A new country is the default one of a buyer:
// identifier "125", code "MX".
class Country {
public:
    // Same texts; a new list holding the same provinces.
    std::shared_ptr<Country> copy() const { return std::make_shared<Country>(*this); }
    // "countryId", "countryName", "countryCode"; none for a missing or non-object value.
    static std::shared_ptr<Country> fromDictionary(const QVariant& dictionary);

    QString identifier() const { return identifier_; }
    void setIdentifier(const QString& value) { identifier_ = value; }
    QString name() const { return name_; }
    void setName(const QString& value) { name_ = value; }
    QString code() const { return code_; }
    void setCode(const QString& value) { code_ = value; }
    const std::vector<ProvincePtr>& provinces() const { return provinces_; }
    void setProvinces(const std::vector<ProvincePtr>& value) { provinces_ = value; }

private:
    QString identifier_{"125"};
    QString name_{""};
    QString code_{"MX"};
    std::vector<ProvincePtr> provinces_;
};

using CountryPtr = std::shared_ptr<Country>;
