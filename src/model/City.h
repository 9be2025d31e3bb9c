#pragma once

#include <QString>
#include <memory>

// A city of an address.
class City {
public:
    std::shared_ptr<City> copy() const { return std::make_shared<City>(*this); }

    QString identifier() const { return identifier_; }
    void setIdentifier(const QString& value) { identifier_ = value; }
    QString name() const { return name_; }
    void setName(const QString& value) { name_ = value; }
    QString code() const { return code_; }
    void setCode(const QString& value) { code_ = value; }
    QString zipCode() const { return zipCode_; }
    void setZipCode(const QString& value) { zipCode_ = value; }

private:
    QString identifier_{""};
    QString name_{""};
    QString code_{""};
    QString zipCode_{""};
};

using CityPtr = std::shared_ptr<City>;
