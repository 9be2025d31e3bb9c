#include "model/Batch.h"

#include "platform/core/Logging.h"
#include "platform/core/Values.h"

#include <QRandomGenerator>
#include <QTimeZone>
#include <cmath>

namespace {

bool present(const QVariantMap& d, const char* key) {
    const QVariant value = d.value(QLatin1String(key));
    return value.isValid() && !Values::isJsonNull(value);
}
} // namespace

std::shared_ptr<Batch> Batch::instanceFromDictionary(const QVariant& value) {
    if (!value.isValid() || Values::isJsonNull(value) || value.typeId() != QMetaType::QVariantMap)
        return nullptr;
    const QVariantMap d = value.toMap();
    auto batch = std::make_shared<Batch>();
    const double seconds = Values::doubleValue(d.value(QStringLiteral("timestamp")));
    const qint64 ms = std::isfinite(seconds) ? qint64(std::llround(seconds * 1000)) : 0;
    batch->dateTime_ = QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc());
    batch->timestamp_ = d.value(QStringLiteral("timestamp"));
    batch->totalAmount_ =
        Amount::initWithDouble(Values::doubleValue(d.value(QStringLiteral("amount"))));
    if (present(d, "taxAmount"))
        batch->taxAmount_ =
            Amount::initWithDouble(Values::doubleValue(d.value(QStringLiteral("taxAmount"))));
    if (present(d, "taxRefundAmount"))
        batch->taxRefundAmount_ =
            Amount::initWithDouble(Values::doubleValue(d.value(QStringLiteral("taxRefundAmount"))));
    if (present(d, "tipAmount"))
        batch->tipAmount_ =
            Amount::initWithDouble(Values::doubleValue(d.value(QStringLiteral("tipAmount"))));
    batch->currencyCode_ = d.value(QStringLiteral("currencyCode"));
    batch->isClose_ = Values::boolValue(d.value(QStringLiteral("isClose")));
    batch->authorizationCode_ = Values::fieldText(d.value(QStringLiteral("authorizationCode")));
    batch->transactionId_ = Values::fieldText(d.value(QStringLiteral("transactionId")));
    batch->transaactionQuantity_ =
        Values::fieldText(d.value(QStringLiteral("transactionsQuantity")));
    batch->internalTrace_ = Values::fieldText(d.value(QStringLiteral("internalTrace")));
    batch->terminalId_ = Values::fieldText(d.value(QStringLiteral("terminalId")));
    batch->userEmail_ = d.value(QStringLiteral("userEmail"));
    batch->userName_ = d.value(QStringLiteral("userName"));
    batch->aditionalNumber_ = d.value(QStringLiteral("aditionalNumber"));
    batch->name_ = d.value(QStringLiteral("name"));
    if (present(d, "imageUrl"))
        batch->imageUrl_ = QUrl(Values::fieldText(d.value(QStringLiteral("imageUrl"))));
    if (present(d, "imageSmallUrl"))
        batch->imageSmallUrl_ = QUrl(Values::fieldText(d.value(QStringLiteral("imageSmallUrl"))));
    return batch;
}

QString Batch::getRandomStringNumberFromRangeMin(int min, int max) {
    if (max <= min) {
        Logging::warning(
            tarvelloModel,
            QStringLiteral("Batch: empty random range %1 %2 - gives %1").arg(min).arg(max));
        return QString::number(min);
    }
    const qint64 span = qint64(max) - qint64(min);
    const qint64 r = qint64(QRandomGenerator::global()->bounded(quint64(span)));
    return QString::number(qint64(min) + r);
}

QVariantList Batch::closeTypes() {
    const QString host = QStringLiteral("https://images.tarvello.example");
    auto type = [&host](const char* name, const char* picture) {
        return QVariantMap{
            {"name", QString::fromUtf8(name)},
            {"imageUrl", host + QStringLiteral("/images/cards/") + QLatin1String(picture)},
            {"imageSmallUrl",
             host + QStringLiteral("/images/cards/small/") + QLatin1String(picture)}};
    };
    return {type("Plan Clásico | CRC", "classic.png"), type("Plan Oro | CRC", "gold.png"),
            type("Plan Platino | CRC", "gold.png"), type("Plan Clásico | USD", "classic.png"),
            type("Plan Oro | USD", "gold.png")};
}

QVariantList Batch::users() {
    auto user = [](const char* name, const char* email) {
        return QVariantMap{{"userName", QString::fromUtf8(name)},
                           {"userEmail", QString::fromUtf8(email)}};
    };
    return {user("Ana Ruiz", "ana.ruiz@example.com"),
            user("Luis Mora", "luis.mora@example.com"),
            user("Carla Vega", "carla.vega@example.com"),
            user("Jorge Solís", "jorge.solis@example.com"),
            user("Marta Rojas", "marta.rojas@example.com"),
            user("Pablo Castro", "pablo.castro@example.com")};
}

QVariantMap Batch::mock() {
    const QVariantList types = closeTypes();
    const QVariantList people = users();
    const QVariantMap type =
        types.at(int(QRandomGenerator::global()->generate() % quint32(types.size()))).toMap();
    const QVariantMap user =
        people.at(int(QRandomGenerator::global()->generate() % quint32(people.size()))).toMap();
    auto n = [](int min, int max) { return getRandomStringNumberFromRangeMin(min, max); };
    QVariantMap record;
    const QString year = n(2014, 2018), month = n(1, 12), day = n(1, 30), hour = n(0, 24),
                  minute = n(0, 60), second = n(0, 60);
    record.insert("dateTime",
                  QStringLiteral("%1-%2-%3 %4:%5:%6").arg(year, month, day, hour, minute, second));
    record.insert("timestamp", QStringLiteral("1454034041"));
    record.insert("amount", n(0, 100000));
    record.insert("taxAmount", n(0, 15000));
    record.insert("taxRefundAmount", n(0, 20000));
    record.insert("tipAmount", n(0, 12000));
    record.insert("currencyCode", n(1, 1000));
    record.insert("isClose", QStringLiteral("true"));
    record.insert("authorizationCode", n(100, 2000));
    record.insert("internalTrace", n(0, 100));
    record.insert("terminalId", QStringLiteral("TVRTL%1").arg(n(0, 100)));
    record.insert("userEmail", user.value("userEmail"));
    record.insert("userName", user.value("userName"));
    record.insert("aditionalNumber", n(0, 100000));
    record.insert("name", type.value("name"));
    record.insert("imageUrl", type.value("imageUrl"));
    record.insert("imageSmallUrl", type.value("imageSmallUrl"));
    return record;
}
