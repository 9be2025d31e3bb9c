#pragma once

#include "SDK/operations/SDKAPI.h"

// Reads the merchant's batches: success gives {"batches": [...]}.
class SDKBatchInfoAPI : public SDKAPI {
public:
    void getBatchInformation(TarvelloSDK::Completion completion);

    bool
    apiDidFinishDownloadingWithDictionary(int functionName,
                                          const std::optional<QVariantMap>& dictionary) override;
};
