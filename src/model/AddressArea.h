#pragma once

#include <QString>

// What every part of an address (country, province, city) has: identifier, name and code.
class AddressArea {
public:
    QString identifier() const { return identifier_; }
    void setIdentifier(const QString& value) { identifier_ = value; }
    QString name() const { return name_; }
    void setName(const QString& value) { name_ = value; }
    QString code() const { return code_; }
    void setCode(const QString& value) { code_ = value; }

protected:
    AddressArea() = default;
    AddressArea(const QString& identifier, const QString& code)
        : identifier_(identifier)
        , code_(code) {}

    QString identifier_{""};
    QString name_{""};
    QString code_{""};
};
