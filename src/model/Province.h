#pragma once

#include "model/City.h"

#include <QString>
#include <memory>
#include <vector>

// A province of an address, with its cities.
class Province {
public:
    // Same texts; a new list holding the same cities.
    std::shared_ptr<Province> copy() const { return std::make_shared<Province>(*this); }

    QString identifier() const { return identifier_; }
    void setIdentifier(const QString& value) { identifier_ = value; }
    QString name() const { return name_; }
    void setName(const QString& value) { name_ = value; }
    QString code() const { return code_; }
    void setCode(const QString& value) { code_ = value; }
    const std::vector<CityPtr>& cities() const { return cities_; }
    void setCities(const std::vector<CityPtr>& value) { cities_ = value; }

private:
    QString identifier_{""};
    QString name_{""};
    QString code_{""};
    std::vector<CityPtr> cities_;
};

using ProvincePtr = std::shared_ptr<Province>;
