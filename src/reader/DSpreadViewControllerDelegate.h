#pragma once

#include "reader/service/WeakRef.h"

#include <QString>
#include <QVariantList>
#include <QVariantMap>
#include <functional>
#include <memory>

class APIControllerDelegate;
class AlertController;
class CreditCard;
class DeviceSelectorList;
class QLabel;
class QWidget;
class Sale;
class ViewController;

// The card-reading screen as the reader controller sees it: the host of one reader session.
// The controller holds its host without owning it, as a WeakRef: once the host is gone, the
// controller's calls to it are dropped.
class DSpreadViewControllerDelegate : public Watched {
public:
    virtual ~DSpreadViewControllerDelegate() = default;

    // ---- the screen itself: its root view, navigation item and controller, presentations
    virtual ViewController* hostViewController() = 0;

    // ---- state the controller reads and writes
    // The sale being charged, refunded or voided.
    virtual std::shared_ptr<Sale> sale() = 0;
    virtual bool isProcessingCard() = 0;
    virtual void setIsProcessingCard(bool processing) = 0;
    virtual bool demoPresentation() = 0;
    // The reader list sheet, or null.
    virtual DeviceSelectorList* deviceSelector() = 0;
    // Makes the reader list sheet with the screen as its delegate, keeps it and returns it.
    virtual DeviceSelectorList* createDeviceSelector() = 0;
    // Takes the sheet off the screen, clears its delegate and drops it.
    virtual void removeDeviceSelector() = 0;
    // The reader connection help on show, or null.
    virtual AlertController* deviceConnectionErrorAlertController() = 0;
    virtual void setDeviceConnectionErrorAlertController(AlertController* alert) = 0;
    // The contactless button, the translucent message panel and the status label.
    virtual QWidget* enableNFCButton() = 0;
    virtual QWidget* translucent() = 0;
    virtual QLabel* userMessage() = 0;
    // The last text given to changeUserMessage().
    virtual QString userMessageStr() = 0;
    virtual int swipeErrorCounter() = 0;
    virtual QVariantMap buyerDic() = 0;
    virtual void setBuyerDic(const QVariantMap& buyer) = 0;
    virtual void setPotentialBuyers(const QVariantList& buyers) = 0;
    virtual void setCurrentCreditCard(std::shared_ptr<CreditCard> card) = 0;

    // ---- status under the reader illustration
    virtual void changeUserMessage(const QString& message) = 0;
    // Rich text.
    virtual void changeUserAttributedMessage(const QString& message) = 0;
    virtual void showSelectedReader() = 0;
    virtual void showHelpButton(bool show) = 0;
    // The demo's waiting text, rich text.
    virtual QString readerDemoInitialMessage() = 0;
    virtual void showBatteryCharging(float charge, bool charging) = 0;
    virtual void hideBatteryIndicator() = 0;
    virtual void showAcceptedCards() = 0;

    // ---- card processing
    virtual void processingCard() = 0;
    virtual void cancelProcessing(std::function<void()> completion) = 0;
    virtual void enteringPin() = 0;
    // Calls the completion with whether the tip is within the sale's tip limit.
    virtual void processingTipWithBlock(float tip,
                                        std::function<void(bool allowed)> completion) = 0;
    virtual void updateTotal() = 0;
    virtual void savePayment() = 0;
    virtual void processSale() = 0;
    // The screen as the receiver of the operation status answer (function code 59).
    virtual APIControllerDelegate* operationStatusDelegate() = 0;

    // ---- endings
    virtual void paymentApproved() = 0;
    virtual void goSendReceipt() = 0;
    virtual void refundDone() = 0;
    virtual void backToSale() = 0;
    virtual void readerDemoDismissed() = 0;
};
