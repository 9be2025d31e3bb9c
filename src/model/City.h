#pragma once

#include "model/AddressArea.h"

#include <QString>
#include <memory>

// A city of an address.
class City : public AddressArea {
public:
    std::shared_ptr<City> copy() const { return std::make_shared<City>(*this); }

    QString zipCode() const { return zipCode_; }
    void setZipCode(const QString& value) { zipCode_ = value; }

private:
    QString zipCode_{""};
};

using CityPtr = std::shared_ptr<City>;
