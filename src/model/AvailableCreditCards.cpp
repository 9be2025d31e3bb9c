#include "model/AvailableCreditCards.h"

#include <QVariantMap>

AvailableCreditCards& AvailableCreditCards::instance() {
    static AvailableCreditCards shared;
    return shared;
}

QVariantList AvailableCreditCards::listForCurrencyCode(const QString& code) const {
    QVariantList result;
    if (!list_)
        return result;
    for (const QVariant& entry : *list_) {
        const QVariantMap map = entry.toMap();
        const auto it = map.constFind(QStringLiteral("currency"));
        if (it == map.constEnd() || (it->typeId() == QMetaType::QString && it->toString() == code))
            result.append(entry);
    }
    return result;
}
