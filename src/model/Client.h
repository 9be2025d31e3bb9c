#pragma once

#include "model/City.h"
#include "model/Country.h"
#include "model/Document.h"
#include "model/Province.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <memory>

// The buyer of a sale: name, e-mail, address, identity document, as the receipt shows them.
class Client {
public:
    Client();
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    static std::shared_ptr<Client> init() { return std::make_shared<Client>(); }
    // A client from a buyer dictionary of the back end; none for a missing or non-object value.
    static std::shared_ptr<Client> instanceWithDictionary(const QVariant& dictionary);
    // Same texts and date; its own country, province, city and document.
    std::shared_ptr<Client> copy() const;
    // True when the full name, else the e-mail, holds the filter, ignoring case.
    bool containsFilter(const QString& filter) const;
    QString description() const;

    QString identifier() const { return identifier_; }
    void setIdentifier(const QString& value) { identifier_ = value; }
    QString fullName() const { return fullName_; }
    void setFullName(const QString& value) { fullName_ = value; }
    QString email() const { return email_; }
    void setEmail(const QString& value) { email_ = value; }
    QString address() const { return address_; }
    void setAddress(const QString& value) { address_ = value; }
    // Invalid when there is no birth date.
    QDateTime birthDate() const { return birthDate_; }
    void setBirthDate(const QDateTime& value) { birthDate_ = value; }
    CountryPtr country() const { return country_; }
    void setCountry(CountryPtr value) { country_ = std::move(value); }
    ProvincePtr province() const { return province_; }
    void setProvince(ProvincePtr value) { province_ = std::move(value); }
    CityPtr city() const { return city_; }
    void setCity(CityPtr value) { city_ = std::move(value); }
    std::shared_ptr<Document> document() const { return document_; }
    void setDocument(std::shared_ptr<Document> value) { document_ = std::move(value); }
    QString occupation() const { return occupation_; }
    void setOccupation(const QString& value) { occupation_ = value; }
    QString phone() const { return phone_; }
    void setPhone(const QString& value) { phone_ = value; }

private:
    QString identifier_{""};
    QString fullName_{""};
    QString email_{""};
    QString address_{""};
    QDateTime birthDate_;
    CountryPtr country_;
    ProvincePtr province_;
    CityPtr city_;
    std::shared_ptr<Document> document_;
    QString occupation_{""};
    QString phone_{""};
};

using ClientPtr = std::shared_ptr<Client>;
