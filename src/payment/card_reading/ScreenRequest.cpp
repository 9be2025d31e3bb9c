#include "payment/card_reading/ScreenRequest.h"

#include "model/CreditCard.h"
#include "model/Sale.h"
#include "platform/core/Worker.h"
#include "ui_kit/texts/Language.h"

#include <QJsonDocument>

ScreenRequest::ScreenRequest(QObject* screen, APIControllerDelegate* delegate)
    : QObject(screen)
    , screen_(screen)
    , delegate_(delegate) {
    client_.setDelegate(this);
}

void ScreenRequest::finish(const std::function<void(APIControllerDelegate*)>& call) {
    if (answered_)
        return;
    answered_ = true;
    deleteLater();
    if (screen_ && delegate_)
        call(delegate_);
}

void ScreenRequest::apiDidFailWithError(const TarvelloError& error, int code) {
    finish([&](APIControllerDelegate* d) { d->apiDidFailWithError(error, code); });
}

bool ScreenRequest::apiDidFinishDownloadingWithDictionary(int code,
                                                          const std::optional<QVariantMap>& reply) {
    finish(
        [&](APIControllerDelegate* d) { d->apiDidFinishDownloadingWithDictionary(code, reply); });
    return true;
}

bool ScreenRequest::sessionExpiredWithMessage(const QString& message) {
    finish([&](APIControllerDelegate* d) {
        if (!d->sessionExpiredWithMessage(message))
            d->sessionExpired();
    });
    return true;
}

bool ScreenRequest::sessionExpired() {
    finish([](APIControllerDelegate* d) { d->sessionExpired(); });
    return true;
}

namespace {

bool sentAsynchronously(const QString& type, bool registration) {
    return type.isEmpty() || type == QLatin1String("manual") || type == QLatin1String("prepaid") ||
           (registration && type == QLatin1String("WALLET"));
}

// The client call for the operation's function code.
std::optional<QByteArray> callOperation(APIController& client, int code, const Sale& sale,
                                        const QString& userId, const QString& token) {
    if (code == FunctionCode::SavePayment)
        return client.registerSale(sale, userId, token);
    if (code == FunctionCode::MakeRefund)
        return client.makeRefundForSale(sale, userId, token);
    return client.makeAnnulationForSale(sale, userId, token);
}

} // namespace

int ScreenRequest::functionCode(Operation operation, int trxType) {
    if (operation == Operation::Registration || (trxType != 1 && trxType != 2))
        return FunctionCode::SavePayment;
    return trxType == 2 ? FunctionCode::MakeRefund : FunctionCode::MakeAnnulation;
}

void ScreenRequest::sendOperation(QObject* screen, APIControllerDelegate* delegate,
                                  Operation operation, const std::shared_ptr<Sale>& sale,
                                  const QString& userId, const QString& token) {
    if (!sale || !screen || !delegate)
        return;
    const int code = functionCode(operation, sale->trxType());
    const QString type =
        sale->creditCard() ? sale->creditCard()->transactionType() : QStringLiteral("none");
    if (sentAsynchronously(type, code == FunctionCode::SavePayment)) {
        auto* request = new ScreenRequest(screen, delegate);
        callOperation(request->client(), code, *sale, userId, token);
        return;
    }
    // The client sends these synchronously: off the main thread, on a copy of the sale.
    auto* request = new ScreenRequest(screen, delegate);
    const std::optional<QString> apiKey = request->client().apiKey();
    QPointer<ScreenRequest> guard(request);
    Worker::run(
        [snapshot = sale->copy(), userId, token, code, apiKey] {
            APIController client;
            client.setApiKey(apiKey);
            return callOperation(client, code, *snapshot, userId, token);
        },
        [guard, code](std::optional<QByteArray> bytes) {
            if (!guard)
                return;
            QJsonParseError error{};
            const QJsonDocument document =
                bytes ? QJsonDocument::fromJson(*bytes, &error) : QJsonDocument();
            if (!bytes || error.error != QJsonParseError::NoError || !document.isObject()) {
                guard->apiDidFailWithError(
                    TarvelloError::sdk(-1, Language::textForFile(QStringLiteral("GlobalTexts"),
                                                                 QStringLiteral("connError"))),
                    code);
                return;
            }
            guard->apiDidFinishDownloadingWithDictionary(code, document.toVariant().toMap());
        },
        request);
}
