#pragma once

#include "SDK/operations/SDKAPI.h"

// Fetches the printable receipt of an operation: success gives {"receipt": the bytes}.
class SDKGetReceiptAPI : public SDKAPI {
public:
    void getPDFReceiptForOperationID(const QString& operationId,
                                     TarvelloSDK::Completion completion);

    bool apiDidFinishDownloadingWithData(int functionName, const QByteArray& data) override;
};
