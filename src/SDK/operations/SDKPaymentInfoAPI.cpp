#include "SDK/operations/SDKPaymentInfoAPI.h"

#include "SDK/session/User.h"
#include "api/APIController.h"
#include "platform/core/Values.h"

void SDKPaymentInfoAPI::getPaymentInfoForOperationID(const QString& operationId,
                                                     TarvelloSDK::Completion completion) {
    setCompletion(std::move(completion));
    // Only a whole number of up to 64 bits: anything else is never looked up.
    const std::optional<qint64> id = Values::digitsValue(operationId);
    if (!id) {
        finish(TarvelloError::sdk(TarvelloErrorCode::InvalidOperationId,
                                  QStringLiteral("Invalid operation id"))
                   .toResult(),
               false);
        return;
    }
    operationId_ = *id;
    loginThenDo([this] {
        const User& user = User::instance();
        newClient()->getSaleInfo(operationId_, user.userId(), user.token());
    });
}

void SDKPaymentInfoAPI::getPaymentInfoForReference(const QString& reference,
                                                   TarvelloSDK::Completion completion) {
    setCompletion(std::move(completion));
    reference_ = reference;
    loginThenDo([this] {
        const User& user = User::instance();
        newClient()->getSaleInfoForExternalReference(reference_, user.userId(), user.token());
    });
}

bool SDKPaymentInfoAPI::apiDidFinishDownloadingWithDictionary(
    int /*functionName*/, const std::optional<QVariantMap>& dictionary) {
    // The lookup's answer arrives wrapped under "content".
    const QVariant content = dictionary.value_or(QVariantMap()).value(QStringLiteral("content"));
    const QVariantMap answer =
        content.typeId() == QMetaType::QVariantMap ? content.toMap() : QVariantMap();
    if (isOK(answer)) {
        const QVariant sdk = answer.value(QStringLiteral("sdk"));
        finish(sdk.typeId() == QMetaType::QVariantMap ? sdk.toMap() : QVariantMap(), true);
        return true;
    }
    finishWithRefusal(answer.value(QStringLiteral("response")),
                      TarvelloErrorCode::InvalidOperationId,
                      QStringLiteral("Invalid operation id"));
    return true;
}
