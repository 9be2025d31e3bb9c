#pragma once

#include "model/values/Amount.h"

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QUrl>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>
#include <memory>

// The record of one batch closure of the merchant's card operations, with a generator of demo
// records in the back end's form.
class Batch {
public:
    Batch() = default;
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

    // None for a missing or non-object record.
    static std::shared_ptr<Batch> instanceFromDictionary(const QVariant& record);
    // A number from min to max - 1, as decimal text; min itself when max is not above min.
    static QString getRandomStringNumberFromRangeMin(int min, int max);
    static QVariantList closeTypes();
    static QVariantList users();
    // One random demo record.
    static QVariantMap mock();

    QDateTime dateTime() const { return dateTime_; }
    void setDateTime(const QDateTime& value) { dateTime_ = value; }
    QVariant timestamp() const { return timestamp_; }
    void setTimestamp(const QVariant& value) { timestamp_ = value; }
    AmountPtr totalAmount() const { return totalAmount_; }
    void setTotalAmount(AmountPtr value) { totalAmount_ = std::move(value); }
    AmountPtr taxAmount() const { return taxAmount_; }
    void setTaxAmount(AmountPtr value) { taxAmount_ = std::move(value); }
    AmountPtr taxRefundAmount() const { return taxRefundAmount_; }
    void setTaxRefundAmount(AmountPtr value) { taxRefundAmount_ = std::move(value); }
    AmountPtr tipAmount() const { return tipAmount_; }
    void setTipAmount(AmountPtr value) { tipAmount_ = std::move(value); }
    QVariant currencyCode() const { return currencyCode_; }
    void setCurrencyCode(const QVariant& value) { currencyCode_ = value; }
    bool isClose() const { return isClose_; }
    void setIsClose(bool value) { isClose_ = value; }
    QString authorizationCode() const { return authorizationCode_; }
    void setAuthorizationCode(const QString& value) { authorizationCode_ = value; }
    QString transactionId() const { return transactionId_; }
    void setTransactionId(const QString& value) { transactionId_ = value; }
    QString transaactionQuantity() const { return transaactionQuantity_; }
    void setTransaactionQuantity(const QString& value) { transaactionQuantity_ = value; }
    QString internalTrace() const { return internalTrace_; }
    void setInternalTrace(const QString& value) { internalTrace_ = value; }
    QString terminalId() const { return terminalId_; }
    void setTerminalId(const QString& value) { terminalId_ = value; }
    QVariant userEmail() const { return userEmail_; }
    void setUserEmail(const QVariant& value) { userEmail_ = value; }
    QVariant userName() const { return userName_; }
    void setUserName(const QVariant& value) { userName_ = value; }
    QVariant aditionalNumber() const { return aditionalNumber_; }
    void setAditionalNumber(const QVariant& value) { aditionalNumber_ = value; }
    QVariant name() const { return name_; }
    void setName(const QVariant& value) { name_ = value; }
    QUrl imageUrl() const { return imageUrl_; }
    void setImageUrl(const QUrl& value) { imageUrl_ = value; }
    QImage image() const { return image_; }
    void setImage(const QImage& value) { image_ = value; }
    QUrl imageSmallUrl() const { return imageSmallUrl_; }
    void setImageSmallUrl(const QUrl& value) { imageSmallUrl_ = value; }
    QImage imageSmall() const { return imageSmall_; }
    void setImageSmall(const QImage& value) { imageSmall_ = value; }

private:
    QDateTime dateTime_;
    QVariant timestamp_;
    AmountPtr totalAmount_;
    AmountPtr taxAmount_;
    AmountPtr taxRefundAmount_;
    AmountPtr tipAmount_;
    QVariant currencyCode_;
    bool isClose_ = false;
    QString authorizationCode_;
    QString transactionId_;
    QString transaactionQuantity_;
    QString internalTrace_;
    QString terminalId_;
    QVariant userEmail_;
    QVariant userName_;
    QVariant aditionalNumber_;
    QVariant name_;
    QUrl imageUrl_;
    QImage image_;
    QUrl imageSmallUrl_;
    QImage imageSmall_;
};
