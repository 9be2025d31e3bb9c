#pragma once

#include "api/APIController.h"
#include "api/APIControllerDelegate.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class Sale;

// One request of a screen: the client answers the screen's delegate once, on the main thread,
// then the request goes. The request is a child of the screen, so it goes with the screen too
// and a late answer reaches nobody.
class ScreenRequest : public QObject, public APIControllerDelegate {
public:
    ScreenRequest(QObject* screen, APIControllerDelegate* delegate);
    APIController& client() { return client_; }

    // The operation of the sale by its trxType (2 refund, 1 void, else registration), or always
    // the registration. Cards the client sends synchronously (chip, contactless, "pei") go off
    // the main thread and are answered the same way, with the operation's function code.
    enum class Operation { ForTrxType, Registration };
    static void sendOperation(QObject* screen, APIControllerDelegate* delegate, Operation operation,
                              const std::shared_ptr<Sale>& sale, const QString& userId,
                              const QString& token);
    // The function code the operation answers with.
    static int functionCode(Operation operation, int trxType);

    void apiDidFailWithError(const TarvelloError& error, int code) override;
    bool apiDidFinishDownloadingWithDictionary(int code,
                                               const std::optional<QVariantMap>& reply) override;
    bool sessionExpiredWithMessage(const QString& message) override;
    bool sessionExpired() override;

private:
    void finish(const std::function<void(APIControllerDelegate*)>& call);

    QPointer<QObject> screen_;
    APIControllerDelegate* delegate_;
    APIController client_;
    bool answered_ = false;
};
