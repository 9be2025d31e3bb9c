#pragma once

#include "SDK/presenters/SDKViewControllerPresenter.h"
#include "api/APIControllerDelegate.h"
#include "platform/ui/TextField.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include <QPointer>
#include <QVariantMap>
#include <QtGlobal>
#include <memory>

class APIController;
class QWidget;
class SDKNavigationController;
class ViewController;

// Runs the host's refund or void of an earlier operation as a modal flow: looks the operation
// up, then voids it (a cash operation at once; a card operation of an open batch through the
// card-reading screen) or refunds it (a card operation of a closed batch, after the refund
// amount screen when the host allows a partial amount); the end of the flow becomes the host's
// completion. Refund amounts are compared in whole cents.
class SDKRefundPresenter : public SDKViewControllerPresenter,
                           public APIControllerDelegate,
                           public TextFieldDelegate {
public:
    // A refund that asks for its amount when askForAmount is set (else the whole amount).
    static std::shared_ptr<SDKRefundPresenter>
    initWithSaleIdAskForAmount(qint64 saleId, bool askForAmount,
                               TarvelloSDK::Completion completion);
    // A refund of a fixed amount (0: the whole remaining amount).
    static std::shared_ptr<SDKRefundPresenter>
    initWithSaleIdAmount(qint64 saleId, double amount, TarvelloSDK::Completion completion);

    SDKRefundPresenter();
    ~SDKRefundPresenter() override;

    qint64 saleId() const { return saleId_; }
    void setSaleId(qint64 saleId) { saleId_ = saleId; }
    bool askForAmount() const { return askForAmount_; }
    void setAskForAmount(bool askForAmount) { askForAmount_ = askForAmount; }
    double amount() const { return amount_; }
    void setAmount(double amount) { amount_ = amount; }
    ViewController* controller() const { return controller_; }
    TextField* passcode() const { return passcode_; }
    void setPasscode(TextField* field) { passcode_ = field; }
    QWidget* numericKeyboard() const { return numericKeyboard_; }
    void setNumericKeyboard(QWidget* keyboard) { numericKeyboard_ = keyboard; }
    QVariantMap saleDic() const { return saleDic_; }
    void setSaleDic(const QVariantMap& saleDic) { saleDic_ = saleDic; }

    // The blank loading screen; starts the look-up of the operation.
    ViewController* viewController() override;

    // Answers of the back end.
    void apiDidFailWithError(const TarvelloError& error, int functionName) override;
    bool
    apiDidFinishDownloadingWithDictionary(int functionName,
                                          const std::optional<QVariantMap>& dictionary) override;
    // The session ended while the flow ran: log out and end with InvalidUserToken.
    bool sessionExpiredWithMessage(const QString& message) override;
    bool sessionExpired() override;

    void tryAnnulate(const QVariantMap& answer) { annulate(answer); }
    void tryRefund(const QVariantMap& answer) { refund(answer); }
    void annulate(const QVariantMap& answer);
    void refund(const QVariantMap& answer);
    // The symbol of the merchant's currency with that code, else "$".
    static QString currencyFormatForCode(const QString& code);
    // Ends the flow as failed (with no error: an empty result).
    void closeWithError(std::optional<TarvelloError> error);
    void operationDone(std::shared_ptr<Sale> sale) override;
    void refundDone(std::shared_ptr<Sale> sale);

    void textFieldDidBeginEditing(TextField* field) override;
    void checkPasscode();

private:
    void decide(const std::optional<QVariantMap>& answer);
    void cashVoidAnswer(const std::optional<QVariantMap>& answer);
    void pinAnswer(const std::optional<QVariantMap>& answer);
    void failWithResponse(const QVariantMap& answer);
    // Replaces the loading screen by the card-reading screen with the sale.
    void openCardReading(std::shared_ptr<Sale> sale);
    void showOnly(ViewController* screen);
    // The sheet's navigation: the one kept, else the first screen's; none without a sheet.
    SDKNavigationController* currentNavigation() const;
    APIController* newRequest();

    qint64 saleId_ = 0;
    bool askForAmount_ = false;
    double amount_ = 0.0;
    QPointer<ViewController> controller_;
    QPointer<SDKNavigationController> navigation_;
    QPointer<TextField> passcode_;
    QPointer<QWidget> numericKeyboard_;
    QVariantMap saleDic_;
    std::unique_ptr<APIController> request_;
};
