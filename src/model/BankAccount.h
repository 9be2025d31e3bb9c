#pragma once

#include <QString>
#include <memory>

// A bank account of the merchant, with the checks of an account's unique number (CBU) and of
// its holder's tax number (CUIT) for a country; only Argentina ("AR") is handled.
class BankAccount {
public:
    std::shared_ptr<BankAccount> copy() const { return std::make_shared<BankAccount>(*this); }

    // 22 decimal digits, country exactly "AR".
    static bool isValidAccountUniqueNumber(const QString& number, const QString& country);
    // 10 or 11 digits, prefix 20, 23, 27 or 30, and a matching check digit; country exactly "AR".
    static bool isValidAccountNameAssociatedNumber(const QString& number, const QString& country);

    QString bankName() const { return bankName_; }
    void setBankName(const QString& value) { bankName_ = value; }
    QString accountName() const { return accountName_; }
    void setAccountName(const QString& value) { accountName_ = value; }
    QString accountNumber() const { return accountNumber_; }
    void setAccountNumber(const QString& value) { accountNumber_ = value; }
    QString accountUniqueNumber() const { return accountUniqueNumber_; }
    void setAccountUniqueNumber(const QString& value) { accountUniqueNumber_ = value; }
    QString accountNameAssociatedNumber() const { return accountNameAssociatedNumber_; }
    void setAccountNameAssociatedNumber(const QString& value) {
        accountNameAssociatedNumber_ = value;
    }
    bool accountValidated() const { return accountValidated_; }
    void setAccountValidated(bool value) { accountValidated_ = value; }

private:
    QString bankName_{""};
    QString accountName_{""};
    QString accountNumber_{""};
    QString accountUniqueNumber_{""};
    QString accountNameAssociatedNumber_{""};
    bool accountValidated_ = false;
};

using BankAccountPtr = std::shared_ptr<BankAccount>;
