#include "payment/flow/InstitutionEntry.h"

#include "payment/flow/PickPaymentMethodController.h"
#include "platform/core/Values.h"

#include <algorithm>
#include <cmath>

namespace InstitutionEntry {

QString displayName(const QVariantMap& entry) {
    const QVariant shortName = entry.value(QStringLiteral("shortName"));
    if (shortName.typeId() == QMetaType::QString && !shortName.toString().isEmpty())
        return shortName.toString();
    QString name = Values::fieldText(entry.value(QStringLiteral("name")));
    name.remove(QStringLiteral("BANCO"), Qt::CaseInsensitive);
    name.remove(QStringLiteral("BANK"), Qt::CaseInsensitive);
    return name.trimmed();
}

bool hasOwnLogo(const QVariantMap& entry) {
    const QVariant logo = entry.value(QStringLiteral("imageUrl_iOS"));
    if (!logo.isValid() || Values::isJsonNull(logo))
        return true;
    const QString address = Values::fieldText(logo);
    return !address.isEmpty() && address != PickPaymentMethodController::issuerImageFolderAddress();
}

QStringList sortedPlanKeys(const QVariantMap& plans) {
    QStringList keys = plans.keys();
    std::stable_sort(keys.begin(), keys.end(),
                     [](const QString& a, const QString& b) { return countOf(a) < countOf(b); });
    return keys;
}

float fraction(const QVariant& plan, const char* key) {
    if (plan.typeId() != QMetaType::QVariantMap)
        return 0;
    const QVariant value = plan.toMap().value(QLatin1String(key));
    if (!Values::isNumber(value) && value.typeId() != QMetaType::QString)
        return 0;
    return float(Values::doubleValue(value));
}

int countOf(const QString& key) {
    return Values::lenientInt32(key);
}

int truncatedPercent(float fraction) {
    const float percent = fraction * 100.0f;
    return std::isfinite(percent) ? int(std::trunc(percent)) : 0;
}

int roundedPercent(float fraction) {
    const float percent = fraction * 100.0f;
    return std::isfinite(percent) ? int(std::lround(percent)) : 0;
}

} // namespace InstitutionEntry
