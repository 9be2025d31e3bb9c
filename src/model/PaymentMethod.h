#pragma once

#include "model/Installment.h"

#include <QString>
#include <QUrl>
#include <QVariant>
#include <QVariantList>
#include <memory>
#include <optional>
#include <vector>

class Currency;

// The typed form of one accepted payment option, with its plans and EMV settings.
class PaymentMethod {
public:
    PaymentMethod() = default;
    PaymentMethod(const PaymentMethod&) = delete;
    PaymentMethod& operator=(const PaymentMethod&) = delete;

    // None for a missing or non-object entry.
    static std::shared_ptr<PaymentMethod> instanceFromDictionary(const QVariant& entry);
    // "[type] identifier - name".
    QString description() const;

    QString name() const { return name_; }
    void setName(const QString& value) { name_ = value; }
    QString type() const { return type_; }
    void setType(const QString& value) { type_ = value; }
    qint64 identifier() const { return identifier_; }
    void setIdentifier(qint64 value) { identifier_ = value; }
    QString terminalIdentifier() const { return terminalIdentifier_; }
    void setTerminalIdentifier(const QString& value) { terminalIdentifier_ = value; }
    QUrl imageURL() const { return imageURL_; }
    void setImageURL(const QUrl& value) { imageURL_ = value; }
    bool isPrivate() const { return isPrivate_; }
    void setIsPrivate(bool value) { isPrivate_ = value; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool value) { enabled_ = value; }
    bool requirePin() const { return requirePin_; }
    void setRequirePin(bool value) { requirePin_ = value; }
    QVariant customData() const { return customData_; }
    void setCustomData(const QVariant& value) { customData_ = value; }
    std::shared_ptr<Currency> currency() const { return currency_; }
    void setCurrency(std::shared_ptr<Currency> value) { currency_ = std::move(value); }
    bool manualEntryAvailable() const { return manualEntryAvailable_; }
    void setManualEntryAvailable(bool value) { manualEntryAvailable_ = value; }
    std::optional<QVariant> emvAIDs() const { return emvAIDs_; }
    void setEmvAIDs(const std::optional<QVariant>& value) { emvAIDs_ = value; }
    QString emvConfigurationVersion() const { return emvConfigurationVersion_; }
    void setEmvConfigurationVersion(const QString& value) { emvConfigurationVersion_ = value; }
    // None when the entry has no "installments" list.
    const std::optional<std::vector<InstallmentPtr>>& installments() const { return installments_; }
    void setInstallments(const std::optional<std::vector<InstallmentPtr>>& value) {
        installments_ = value;
    }

private:
    QString name_;
    QString type_;
    qint64 identifier_ = 0;
    QString terminalIdentifier_;
    QUrl imageURL_;
    bool isPrivate_ = false;
    bool enabled_ = false;
    bool requirePin_ = false;
    QVariant customData_;
    std::shared_ptr<Currency> currency_;
    bool manualEntryAvailable_ = false;
    std::optional<QVariant> emvAIDs_;
    QString emvConfigurationVersion_;
    std::optional<std::vector<InstallmentPtr>> installments_;
};
