#pragma once

#include <QImage>
#include <QString>
#include <variant>

// The operations without screens that the facade hands over, one type each, carrying the
// arguments of the request object's start operation of the same name.
namespace ScreenlessOperations {

struct SendReceiptForOperationID {
    QString operationId;
    QString email;
    bool operator==(const SendReceiptForOperationID&) const = default;
};

struct GetPDFReceiptForOperationID {
    QString operationId;
    bool operator==(const GetPDFReceiptForOperationID&) const = default;
};

struct GetPaymentInfoForOperationID {
    QString operationId;
    bool operator==(const GetPaymentInfoForOperationID&) const = default;
};

// By reference and by external reference alike.
struct GetPaymentInfoForReference {
    QString reference;
    bool operator==(const GetPaymentInfoForReference&) const = default;
};

struct GetAgreementNumbers {
    bool operator==(const GetAgreementNumbers&) const = default;
};

struct ChangeMerchantLogo {
    QImage image;
    bool operator==(const ChangeMerchantLogo&) const = default;
};

struct GetBatchInformation {
    bool operator==(const GetBatchInformation&) const = default;
};

// Batch id "0" closes every batch.
struct CloseBatchWithInstallmentId {
    QString batchId;
    bool operator==(const CloseBatchWithInstallmentId&) const = default;
};

} // namespace ScreenlessOperations

using ScreenlessOperation = std::variant<
    ScreenlessOperations::SendReceiptForOperationID,
    ScreenlessOperations::GetPDFReceiptForOperationID,
    ScreenlessOperations::GetPaymentInfoForOperationID,
    ScreenlessOperations::GetPaymentInfoForReference, ScreenlessOperations::GetAgreementNumbers,
    ScreenlessOperations::ChangeMerchantLogo, ScreenlessOperations::GetBatchInformation,
    ScreenlessOperations::CloseBatchWithInstallmentId>;
