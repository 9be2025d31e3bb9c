#include "model/Balance.h"

#include "platform/core/Values.h"

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
        account->setBankName(Values::fieldText(a.value(QStringLiteral("bankName"))));
        account->setAccountName(Values::fieldText(a.value(QStringLiteral("accountType"))));
        account->setAccountNumber(Values::fieldText(a.value(QStringLiteral("accountNumber"))));
        account->setAccountUniqueNumber(
            Values::fieldText(a.value(QStringLiteral("fullAccountNumber"))));
        accounts_.push_back(account);
    }
}
