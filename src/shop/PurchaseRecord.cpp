#include "shop/PurchaseRecord.h"

#include <QStringList>

void PurchaseRecord::insertInto(const QString& key, const QString& inner, const QVariant& value) {
    QVariantMap nested = values_.value(key).toMap();
    nested.insert(inner, value);
    values_.insert(key, nested);
}

void PurchaseRecord::dropCardData() {
    if (!values_.contains(QStringLiteral("payment")))
        return;
    QVariantMap payment = values_.value(QStringLiteral("payment")).toMap();
    for (const QString& key : {QStringLiteral("cardNumber"), QStringLiteral("securityCode"),
                               QStringLiteral("expireDate")}) {
        payment.remove(key);
    }
    values_.insert(QStringLiteral("payment"), payment);
}
