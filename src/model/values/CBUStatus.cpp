#include "model/values/CBUStatus.h"

#include "platform/core/Values.h"

std::shared_ptr<CBUStatus> CBUStatus::fromDictionary(const QVariantMap& dictionary) {
    auto status = std::make_shared<CBUStatus>();
    status->initWithDictionary(dictionary);
    return status;
}

void CBUStatus::initWithDictionary(const QVariantMap& d) {
    blocked_ = Values::boolValue(d.value(QStringLiteral("blocked")));
    cbuNeeded_ = !Values::boolValue(d.value(QStringLiteral("cbuStatus")));
    const QVariant url = d.value(QStringLiteral("cbuUrl"));
    if (url.isValid() && !Values::isJsonNull(url))
        url_ = Values::describe(url);
    else
        url_.reset();
}
