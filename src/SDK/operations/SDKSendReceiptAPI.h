#pragma once

#include "SDK/operations/SDKAPI.h"

// Sends the receipt of an operation to an e-mail address; success passes the whole answer on.
class SDKSendReceiptAPI : public SDKAPI {
public:
    void sendReceiptForOperationID(const QString& operationId, const QString& email,
                                   TarvelloSDK::Completion completion);

    bool
    apiDidFinishDownloadingWithDictionary(int functionName,
                                          const std::optional<QVariantMap>& dictionary) override;
};
