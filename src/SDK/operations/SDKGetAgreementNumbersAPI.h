#pragma once

#include "SDK/operations/SDKAPI.h"

// Reads the merchant's agreement numbers: success gives {"agreements": ...}.
class SDKGetAgreementNumbersAPI : public SDKAPI {
public:
    void getAgreementNumbers(TarvelloSDK::Completion completion);

    bool
    apiDidFinishDownloadingWithDictionary(int functionName,
                                          const std::optional<QVariantMap>& dictionary) override;
};
