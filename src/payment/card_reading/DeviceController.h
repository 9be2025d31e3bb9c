#pragma once

#include "SDK/session/SessionTimer.h"
#include "api/APIControllerDelegate.h"
#include "payment/card_reading/DeviceSelector.h"
#include "payment/card_reading/RefundSaleSource.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/ViewController.h"
#include "reader/DSpreadViewController.h"
#include "reader/DSpreadViewControllerDelegate.h"
#include "reader/DeviceSelectorList.h"
#include "ui_kit/AlertController.h"

#include <QLabel>
#include <QPushButton>

#include <QPointer>
#include <QVariantList>
#include <QVariantMap>
#include <functional>
#include <memory>
#include <optional>

class AccountSettings;
class CreditCard;
class DSpreadViewController;
class ImageView;
class Installment;
class QLabel;
class QPushButton;
class Sale;
class SystemAlert;
class User;

// The installments selection screen as the card-reading screen opens it: the options (a
// dictionary of plans or a list of account types), the card, the mode (0 plans, 1 debit account
// types), whether a free count is offered, and the completion with the screen and the chosen
// option (none when cancelled), called once after the screen is gone.
class InstallmentsSelectionReceiver {
public:
    using Completion =
        std::function<void(ViewController* screen, std::shared_ptr<Installment> installment)>;
    virtual ~InstallmentsSelectionReceiver() = default;
    virtual void setSelection(const QVariant& dataSource, std::shared_ptr<CreditCard> card,
                              int mode, bool allowCustomInstallment, Completion completion) = 0;
};

// The card-reading screen ("Payment", "Device"): names the amount, hosts the reader controller,
// shows what the reader and the back end do, sends swiped, cash and forced operations, acts on
// the answers and hands the operation on (paymentDone / operationDone / canceled up the chain).
//
// Outlets by objectName: "totalView", "total", "totalInstallments", "subView", "translucent",
// "userMessage", "enableNFCButton", "selectedDeviceView", "selectedDeviceImageView",
// "selectedDeviceLabel", "batteryIndicator", "batteryLowIndicator". Overlay views carry the
// tags 9999 (container), 9998 (backdrop), 10000 (caption), 10001 (bar), 10014 (tick).
//
// Every request answers the screen once, on the main thread; answers after the screen is gone
// are dropped. Delayed steps and animations run on the Clock with the screen as context.
class DeviceController : public ViewController,
                         public SaleReceiver,
                         public DSpreadViewControllerDelegate,
                         public APIControllerDelegate,
                         public SessionTimerDelegate,
                         public DeviceSelectorDelegate {
    Q_OBJECT
public:
    static constexpr int kOverlayTag = 9999;
    static constexpr int kBackdropTag = 9998;
    static constexpr int kCaptionTag = 10000;
    static constexpr int kProgressTag = 10001;
    static constexpr int kContinueTag = 10002;
    static constexpr int kTickTag = 10014;
    // Error codes of the flow's end.
    static constexpr int kUserCanceled = 1000;
    static constexpr int kSessionExpired = 1003;
    static constexpr int kDenied = 1004;

    explicit DeviceController(QObject* parent = nullptr);
    ~DeviceController() override;

    // Opens the screen modally in its own navigation controller.
    static void presentForTarget(ViewController* target, bool isDemo,
                                 std::function<void()> completion);

    // ---- data
    void setSale(std::shared_ptr<Sale> sale) override { sale_ = std::move(sale); }
    std::shared_ptr<Sale> sale() override { return sale_; }
    std::shared_ptr<CreditCard> currentCreditCard() const { return currentCreditCard_; }
    void setCurrentCreditCard(std::shared_ptr<CreditCard> card) override;
    void setDemoPresentation(bool demo) { demoPresentation_ = demo; }
    bool demoPresentation() override { return demoPresentation_; }
    bool isProcessingCard() override { return isProcessingCard_; }
    void setIsProcessingCard(bool processing) override { isProcessingCard_ = processing; }
    bool active() const { return active_; }
    DSpreadViewController* a19() const { return a19_; }
    int readerLoads() const { return readerLoads_; }
    QString userMessageStr() override { return userMessageStr_; }
    int swipeErrorCounter() override { return swipeErrorCounter_; }
    void setSwipeErrorCounter(int value) { swipeErrorCounter_ = value; }
    QVariantMap buyerDic() override { return buyerDic_; }
    void setBuyerDic(const QVariantMap& buyer) override { buyerDic_ = buyer; }
    QVariantList potentialBuyers() const { return potentialBuyers_; }
    void setPotentialBuyers(const QVariantList& buyers) override { potentialBuyers_ = buyers; }
    // The forced-transaction offer while it is on show.
    SystemAlert* forceTransaction() const { return forceTransaction_; }
    // The approval that arrived while the screen was covered, handed over when it shows again.
    bool hasPendingApproval() const { return pendingApproval_; }

    // ---- lifecycle
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidLayoutSubviews() override;
    void prepareForSegue(StoryboardSegue& segue, QObject* sender) override;
    int supportedInterfaceOrientations() const override { return isIpad() ? 30 : 2; }
    bool shouldAutorotate() const override { return isIpad(); }
    int preferredNavigationType() const { return 1; }

    // ---- reader hosting and choice
    void loadReader();
    void unloadReader();
    void backToSale() override;
    void cancelSale();
    void updateTotal() override;
    void selectReaderTouched();
    void deviceSelected(const QString& name) override;
    void changeDeviceType(int type) override { (void)type; }
    // The reader picker sheet while the screen holds one.
    DeviceSelector* selectorSheet() const { return sheet_; }
    QString currentDeviceName() const;
    void showSelectedReader() override;
    void showHelpButton(bool show) override;
    void showReaderConnectionError();
    void enableNFCTouched();
    // The demo texts as rich text; the styled ranges never pass the end of the text.
    QString readerDemoInitialMessage() override;
    QString readerDemoReaderConnectionError();

    // ---- overlays, messages, battery
    void processingCard() override { processingCardWith(false); }
    void processingCardWith(bool fromPayment);
    void enteringPin() override;
    void enteringTip();
    void processingTipWithBlock(float tip, std::function<void(bool allowed)> completion) override;
    void paymentApproved() override;
    void processingPayment();
    void cancelProcessing(std::function<void()> completion) override;
    void changeUserMessage(const QString& message) override;
    void changeUserAttributedMessage(const QString& message) override;
    void transformTranslucentViewWithHeight(double height);
    double translucentHeight() const { return translucentHeight_; }
    void showBatteryCharging(float charge, bool charging) override;
    void hideBatteryIndicator() override;
    bool isBlinking() const;
    void showAcceptedCards() override {}
    void hideAcceptedCards() {}

    // ---- sending and answers
    void savePayment() override { savePaymentEncrypting(true); }
    void savePaymentEncrypting(bool encryptExpiry);
    void processSale() override;
    void payInCash();
    APIControllerDelegate* operationStatusDelegate() override { return this; }
    void apiDidFailWithError(const TarvelloError& error, int functionName) override;
    bool
    apiDidFinishDownloadingWithDictionary(int functionName,
                                          const std::optional<QVariantMap>& dictionary) override;
    bool sessionExpired() override;
    bool sessionExpiredFromTimer() override;
    void optionButtonTouched();
    void goSendReceipt() override;
    void refundDone() override;
    void readerDemoDismissed() override;

    // ---- installments, security code
    void installmentsSelection(const QVariantMap& institution, bool isDebitCard,
                               bool allowCustomInstallment);
    void additionalCardInformation(const QVariantMap& institution);
    void processPayment();
    void forceInstallmentsFailed();
    // Slides the installments plan picker ("Payment", "InstallmentsPicker") in over the screen,
    // with its own bar; nothing when the picker is not available.
    void showInstallmentsPicker(const QVariantMap& institution);
    ViewController* installmentsPicker() const { return installmentsPicker_; }
    QWidget* installmentsPickerNavBar() const { return installmentsPickerNavBar_; }
    void closeInstallmentPicker();
    void cancelInstallmentPicker();
    void pickedInstallment();
    void cancelReaders() {}

    // ---- DSpreadViewControllerDelegate (the rest)
    ViewController* hostViewController() override { return this; }
    DeviceSelectorList* deviceSelector() override { return sheet_ ? sheet_->list() : nullptr; }
    DeviceSelectorList* createDeviceSelector() override;
    void removeDeviceSelector() override;
    AlertController* deviceConnectionErrorAlertController() override { return helpAlert_; }
    void setDeviceConnectionErrorAlertController(AlertController* alert) override;
    QWidget* enableNFCButton() override;
    QWidget* translucent() override { return translucent_; }
    QLabel* userMessage() override { return userMessage_; }

protected:
    QWidget* loadView() override;

private:
    QString text(const char* section, const char* key) const;
    void chooseSale();
    void setBarButtonsEnabled(bool enabled);
    QWidget* overlayView(int tag) const;
    void entryAnimation(bool layoutAtEnd, std::function<void()> atEnd);
    // The overlay's progress bar, hidden until the overlay has faded in.
    void addOverlayProgress(QWidget* container, const QRect& frame);
    // Brings the overlay over the screen, the panel hidden, and fades it in.
    void raiseOverlay(QWidget* backdrop, QWidget* container, bool layoutAtEnd);
    void blinkLowBatteryIndicator(bool visible);
    // A request of the screen: the client answers here once, on the main thread.
    enum class Endpoint { ForTrxType, RegisterSale, OperationStatus };
    void send(Endpoint endpoint);
    void handleSaleAnswer(int code, const QVariantMap& reply);
    void approve();
    void offerForcedTransaction(const QString& message);
    void accountLimitStop();
    void refuse(int code, const QVariantMap& reply);
    void endFlow(std::optional<TarvelloError> error);
    void showAlert(const QString& message, std::function<void()> onOK);
    void expireAndEnd();
    void handOver(bool payment);
    // The reader controller's transaction steps after an approval and after the card's answers.
    void readerCardAccepted();
    void readerCompleteTransaction();
    void askSecurityCode(int digits);
    void confirmSecurityCodeCancel(ViewController* input);

    std::shared_ptr<Sale> sale_;
    std::shared_ptr<CreditCard> currentCreditCard_;
    User* user_ = nullptr;
    AccountSettings* settings_ = nullptr;
    bool demoPresentation_ = false;
    bool isProcessingCard_ = false;
    bool active_ = false;
    bool loaded_ = false;
    int swipeErrorCounter_ = 0;
    int readerLoads_ = 0;
    QString userMessageStr_;
    QVariantMap buyerDic_;
    QVariantList potentialBuyers_;
    QPointer<DSpreadViewController> a19_;
    QPointer<DeviceSelector> sheet_;
    QPointer<AlertController> helpAlert_;
    QPointer<SystemAlert> forceTransaction_;
    bool expiryEncrypted_ = false;
    bool pendingApproval_ = false;
    bool pendingExpiry_ = false;
    bool handedOver_ = false;
    // The back end approved the card: the screen never starts another reading.
    bool cardWasAccepted_ = false;
    double translucentHeight_ = 0;
    Clock::Handle blink_ = 0;
    Clock::Handle cardAccepted_ = 0;

    QPointer<ViewController> installmentsPicker_;
    QPointer<QWidget> installmentsPickerNavBar_;
    QPointer<QWidget> totalView_;
    QPointer<QLabel> total_;
    QPointer<QLabel> totalInstallments_;
    QPointer<QWidget> subView_;
    QPointer<QWidget> translucent_;
    QPointer<QLabel> userMessage_;
    QPointer<QPushButton> enableNFCButton_;
    QPointer<QWidget> selectedDeviceView_;
    QPointer<ImageView> selectedDeviceImageView_;
    QPointer<QLabel> selectedDeviceLabel_;
    QPointer<ImageView> batteryIndicator_;
    QPointer<ImageView> batteryLowIndicator_;
    QPointer<QPushButton> optionButton_;
};
