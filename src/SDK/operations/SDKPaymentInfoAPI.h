#pragma once

#include "SDK/operations/SDKAPI.h"

// Looks a payment up by operation id or by reference: success gives the payment's "sdk" data.
class SDKPaymentInfoAPI : public SDKAPI {
public:
    qint64 operationId() const { return operationId_; }
    void setOperationId(qint64 operationId) { operationId_ = operationId; }
    QString reference() const { return reference_; }
    void setReference(const QString& reference) { reference_ = reference; }

    void getPaymentInfoForOperationID(const QString& operationId,
                                      TarvelloSDK::Completion completion);
    void getPaymentInfoForReference(const QString& reference, TarvelloSDK::Completion completion);

    bool
    apiDidFinishDownloadingWithDictionary(int functionName,
                                          const std::optional<QVariantMap>& dictionary) override;

private:
    qint64 operationId_ = 0;
    QString reference_;
};
