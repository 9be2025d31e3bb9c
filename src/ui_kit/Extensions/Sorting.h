#pragma once

#include <QVariant>
#include <QVariantMap>

// Comparators of lists the screens sort; results as a comparison gives them: -1 when the first
// comes first, 1 when the second does, 0 when equal. The context is not used.

// By the values' signed 32-bit integer reading: numbers as they are (truncated), texts by
// their leading integer ("12" after "3", "-1" before "0", "abc" as 0).
int intSort(const QVariant& first, const QVariant& second, void* context);
// By the "fullName" entries, ignoring case ("ana" equals "Ana", "beto" after "Ana"); a missing
// or null name reads as "".
int subuserSort(const QVariantMap& first, const QVariantMap& second, void* context);
