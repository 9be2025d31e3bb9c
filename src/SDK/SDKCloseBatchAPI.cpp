#include "SDK/SDKCloseBatchAPI.h"

#include "SDK/User.h"
#include "api/APIController.h"

void SDKCloseBatchAPI::closeBatchWithInstallmentId(const QString& batchId,
                                                   TarvelloSDK::Completion completion) {
    setCompletion(std::move(completion));
    loginThenDo([this, batchId] {
        const User& user = User::instance();
        newClient()->closeBatchWithInstallmentId(batchId, user.userId(), user.token());
    });
}

bool SDKCloseBatchAPI::apiDidFinishDownloadingWithDictionary(
    int /*functionName*/, const std::optional<QVariantMap>& dictionary) {
    const QVariantMap answer = dictionary.value_or(QVariantMap());
    if (!isOK(answer)) {
        finishWithRefusal(answer.value(QStringLiteral("response")));
        return true;
    }
    // One entry per batch: its "sdk" data, an empty dictionary when it has none.
    QVariantList batches;
    const QVariant data = answer.value(QStringLiteral("data"));
    if (data.typeId() == QMetaType::QVariantList) {
        for (const QVariant& entry : data.toList()) {
            const QVariant sdk = entry.toMap().value(QStringLiteral("sdk"));
            batches.append(sdk.typeId() == QMetaType::QVariantMap ? sdk.toMap() : QVariantMap());
        }
    }
    finish(QVariantMap{{QStringLiteral("batches"), batches}}, true);
    return true;
}
