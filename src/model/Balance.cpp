#include "model/Balance.h"

#include "platform/core/Values.h"

namespace {
QString textOf(const QVariant& value) {
    if (!value.isValid() || Values::isJsonNull(value))
        return QString("");
    return Values::describe(value);
}
} // namespace

void Balance::loadWithDictionary(const QVariantMap& d) {
    total_ = Values::doubleValue(d.value(QStringLiteral("totalBalance")));
    pending_ = Values::doubleValue(d.value(QStringLiteral("pendingBalance")));
    available_ = Values::doubleValue(d.value(QStringLiteral("availableBalance")));
    const QVariant accounts = d.value(QStringLiteral("bankAccounts"));
    if (!accounts.isValid() || Values::isJsonNull(accounts))
        return;
    for (const QVariant& entry : accounts.toList()) {
        const QVariantMap a = entry.toMap();
        auto account = std::make_shared<BankAccount>();
        account->setBankName(textOf(a.value(QStringLiteral("bankName"))));
        account->setAccountName(textOf(a.value(QStringLiteral("accountType"))));
        account->setAccountNumber(textOf(a.value(QStringLiteral("accountNumber"))));
        account->setAccountUniqueNumber(textOf(a.value(QStringLiteral("fullAccountNumber"))));
        accounts_.push_back(account);
    }
}
