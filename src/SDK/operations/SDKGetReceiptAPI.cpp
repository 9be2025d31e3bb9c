#include "SDK/operations/SDKGetReceiptAPI.h"

#include "SDK/session/User.h"
#include "api/APIController.h"

#include <QBuffer>
#include <QImageReader>

namespace {

// What the print service can print: a PDF document or an image.
bool isPrintable(const QByteArray& data) {
    if (data.startsWith("%PDF-"))
        return true;
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return reader.canRead() && !reader.size().isEmpty();
}

} // namespace

void SDKGetReceiptAPI::getPDFReceiptForOperationID(const QString& operationId,
                                                   TarvelloSDK::Completion completion) {
    setCompletion(std::move(completion));
    loginThenDo([this, operationId] {
        const User& user = User::instance();
        newClient()->printInvoiceForSaleId(operationId, user.userId(), user.token());
    });
}

bool SDKGetReceiptAPI::apiDidFinishDownloadingWithData(int /*functionName*/,
                                                       const QByteArray& data) {
    if (isPrintable(data))
        finish(QVariantMap{{QStringLiteral("receipt"), data}}, true);
    else
        finish(QVariantMap(), false);
    return true;
}
