#pragma once

#include "model/BankAccount.h"

#include <QVariantMap>
#include <vector>

// The merchant's balance as the back end reports it, with the merchant's bank accounts.
class Balance {
public:
    // Fills the amounts and appends the answer's bank accounts after those already held.
    void loadWithDictionary(const QVariantMap& answer);

    double total() const { return total_; }
    void setTotal(double value) { total_ = value; }
    double pending() const { return pending_; }
    void setPending(double value) { pending_ = value; }
    double available() const { return available_; }
    void setAvailable(double value) { available_ = value; }
    const std::vector<BankAccountPtr>& accounts() const { return accounts_; }
    void setAccounts(const std::vector<BankAccountPtr>& value) { accounts_ = value; }

private:
    double total_ = 0;
    double pending_ = 0;
    double available_ = 0;
    std::vector<BankAccountPtr> accounts_;
};
