#include "model/Client.h"

#include "model/Buyers.h"
#include "platform/core/Logging.h"
#include "platform/core/SafeDictionary.h"
#include "platform/core/Values.h"

#include <QLocale>

Client::Client()
    : country_(std::make_shared<Country>())
    , province_(std::make_shared<Province>())
    , city_(std::make_shared<City>())
    , document_(std::make_shared<Document>()) {}

std::shared_ptr<Client> Client::instanceWithDictionary(const QVariant& value) {
    if (!value.isValid() || Values::isJsonNull(value) || value.typeId() != QMetaType::QVariantMap)
        return nullptr;
    const QVariantMap d = value.toMap();
    auto text = [&d](const char* key) {
        return SafeDictionary::safeObjectForKey(d, QLatin1String(key));
    };
    auto client = init();

    QString address = QStringLiteral("%1 %2").arg(text("address"), text("addressLine2"));
    client->address_ = address == QLatin1String(" ") ? QString("") : address;

    const QVariant birth = d.value(QStringLiteral("birthdate"));
    if (birth.typeId() == QMetaType::QString && !birth.toString().isEmpty()) {
        const QDate day = QDate::fromString(birth.toString(), QStringLiteral("yyyy-MM-dd"));
        if (day.isValid())
            client->birthDate_ = day.startOfDay();
    }

    client->identifier_ = text("id");

    client->city_ = std::make_shared<City>();
    client->city_->setZipCode(text("zipCode"));
    client->city_->setName(text("city"));

    client->country_ = std::make_shared<Country>();
    if (!text("countryId").isEmpty()) {
        client->country_->setName(text("country"));
        client->country_->setIdentifier(text("countryId"));
    } else {
        client->country_->setCode(QStringLiteral("MX"));
        for (const QVariant& entry : Buyers::instance().countriesList()) {
            const QVariantMap country = entry.toMap();
            if (SafeDictionary::safeObjectForKey(country, QStringLiteral("countryCode")) ==
                QLatin1String("MX")) {
                client->country_->setName(
                    SafeDictionary::safeObjectForKey(country, QStringLiteral("countryName")));
                break;
            }
        }
    }

    client->document_ = std::make_shared<Document>();
    client->document_->setNumber(text("document"));
    client->document_->setType(text("documentType"));

    client->email_ = text("email");
    client->fullName_ = text("fullName");
    if (client->fullName_.isEmpty())
        client->fullName_ =
            QStringLiteral("%1 %2").arg(text("firstName"), text("lastName")).trimmed();

    client->occupation_ = text("occupation");
    client->phone_ = text("phone");

    client->province_ = std::make_shared<Province>();
    client->province_->setName(text("province"));
    return client;
}

std::shared_ptr<Client> Client::copy() const {
    auto client = init();
    client->identifier_ = identifier_;
    client->fullName_ = fullName_;
    client->email_ = email_;
    client->address_ = address_;
    client->birthDate_ = birthDate_;
    client->country_ = country_ ? country_->copy() : nullptr;
    client->province_ = province_ ? province_->copy() : nullptr;
    client->city_ = city_ ? city_->copy() : nullptr;
    client->document_ = document_ ? document_->copy() : nullptr;
    client->occupation_ = occupation_;
    client->phone_ = phone_;
    return client;
}

bool Client::containsFilter(const QString& filter) const {
    Logging::debug(tarvelloModel, QStringLiteral("Checking is contains %1...").arg(filter));
    const QLocale locale;
    if (locale.toLower(fullName_).contains(locale.toLower(filter)))
        return true;
    return locale.toLower(email_).contains(locale.toLower(filter));
}

QString Client::description() const {
    return QStringLiteral("Client %1: %2 <%3>\nOccupation: %4\nAddress: %5, %6, %7\nPhone: %8, "
                          "document: %9 %10\nBirth date: %11")
        .arg(identifier_, fullName_, email_, occupation_, country_ ? country_->name() : QString(),
             province_ ? province_->name() : QString(), city_ ? city_->name() : QString(), phone_,
             document_ ? document_->type().value_or(QString()) : QString())
        .arg(document_ ? document_->number().value_or(QString()) : QString(),
             birthDate_.isValid() ? birthDate_.toString(Qt::ISODate) : QStringLiteral("none"));
}
