#pragma once

#include "SDK/operations/SDKAPI.h"

// Closes one batch, or all of them with the id "0": success gives {"batches": [...]}.
class SDKCloseBatchAPI : public SDKAPI {
public:
    void closeBatchWithInstallmentId(const QString& batchId, TarvelloSDK::Completion completion);

    bool
    apiDidFinishDownloadingWithDictionary(int functionName,
                                          const std::optional<QVariantMap>& dictionary) override;
};
