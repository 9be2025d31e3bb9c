#include "ui_kit/Extensions/Sorting.h"

#include "platform/core/Values.h"

#include <cmath>
#include <limits>

namespace {

int int32Value(const QVariant& value) {
    if (Values::isNumber(value)) {
        const double number = value.toDouble();
        if (std::isnan(number))
            return 0;
        return int(std::clamp(std::trunc(number), double(std::numeric_limits<int>::min()),
                              double(std::numeric_limits<int>::max())));
    }
    return Values::lenientInt32(value.toString());
}

int sign(qint64 difference) {
    return difference < 0 ? -1 : (difference > 0 ? 1 : 0);
}

} // namespace

int intSort(const QVariant& first, const QVariant& second, void* context) {
    (void)context;
    return sign(qint64(int32Value(first)) - qint64(int32Value(second)));
}

int subuserSort(const QVariantMap& first, const QVariantMap& second, void* context) {
    (void)context;
    return sign(QString::compare(Values::fieldText(first.value(QStringLiteral("fullName"))),
                                 Values::fieldText(second.value(QStringLiteral("fullName"))),
                                 Qt::CaseInsensitive));
}
