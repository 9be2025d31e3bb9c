#pragma once

#include "model/AddressArea.h"
#include "model/City.h"

#include <QString>
#include <memory>
#include <vector>

// A province of an address, with its cities.
class Province : public AddressArea {
public:
    // Same texts; a new list holding the same cities.
    std::shared_ptr<Province> copy() const { return std::make_shared<Province>(*this); }

    const std::vector<CityPtr>& cities() const { return cities_; }
    void setCities(const std::vector<CityPtr>& value) { cities_ = value; }

private:
    std::vector<CityPtr> cities_;
};

using ProvincePtr = std::shared_ptr<Province>;
