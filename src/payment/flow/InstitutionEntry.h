#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

// Readings of an institution entry of the payment-method list and of its plans, shared by the
// installments screens.
namespace InstitutionEntry {

// "shortName" when present and not empty, else "name" without every "BANCO" and then every
// "BANK" (any case), trimmed: "Banco Norte" is "Norte", "Sur Bank" "Sur", "Bancosur" "sur".
QString displayName(const QVariantMap& entry);

// Whether "imageUrl_iOS" names a logo of the entry's own: not empty and not the issuer-image
// folder itself. A missing value counts as one (its download then shows nothing).
bool hasOwnLogo(const QVariantMap& entry);

// The keys of "installments" by integer value, ascending ("1", "3", "12").
QStringList sortedPlanKeys(const QVariantMap& plans);

// A plan's fraction ("discountPercentage", "interestPercentage") in single precision; missing,
// null or not a number reads 0.
float fraction(const QVariant& plan, const char* key);

// The integer value of a plan key; "12" is 12, anything unreadable 0.
int countOf(const QString& key);

// Integer percentage of a single-precision fraction: truncated toward zero (0.53 is 52) or
// rounded to nearest, halves away from zero (0.53 is 53).
int truncatedPercent(float fraction);
int roundedPercent(float fraction);

} // namespace InstitutionEntry
