#include "model/Buyers.h"

#include "platform/core/Logging.h"
#include "platform/core/UserDefaults.h"
#include "platform/core/Values.h"

#include <QCborValue>

namespace {
const QString kCountriesKey = QStringLiteral("countriesList");
} // namespace

Buyers::Buyers() {
    const QByteArray archive =
        UserDefaults::standardUserDefaults().objectForKey(kCountriesKey).toByteArray();
    if (archive.isEmpty())
        return;
    const QVariant stored = QCborValue::fromCbor(archive).toVariant();
    if (stored.typeId() != QMetaType::QVariantList) {
        Logging::warning(tarvelloModel,
                         QStringLiteral("Buyers: stored countries list unreadable, ignored"));
        return;
    }
    for (const QVariant& entry : stored.toList()) {
        if (entry.typeId() != QMetaType::QVariantMap)
            continue;
        QVariantMap country = entry.toMap();
        // A missing or non-text name reads as the empty text.
        const QVariant name = country.value(QStringLiteral("countryName"));
        country.insert(QStringLiteral("countryName"),
                       name.typeId() == QMetaType::QString
                           ? QString::fromUtf8(name.toString().toUtf8())
                           : QString(""));
        countriesListCache_.append(country);
    }
}

Buyers& Buyers::instance() {
    static Buyers shared;
    return shared;
}

void Buyers::setCountriesList(const QVariantList& list) {
    countriesListCache_ = list;
    auto& defaults = UserDefaults::standardUserDefaults();
    defaults.setObject(QCborValue::fromVariant(list).toCbor(), kCountriesKey);
    defaults.synchronize();
}
