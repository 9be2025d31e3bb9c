#pragma once

#include "platform/ui/Clock.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ViewController.h"
#include "reader/ContactlessPrompt.h"
#include "reader/DSpreadViewControllerDelegate.h"
#include "reader/service/ReaderFactory.h"
#include "reader/service/ReaderServiceListener.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <climits>
#include <functional>
#include <map>
#include <memory>

class AccountSettings;
class CardAttempt;
class CreditCard;
class DSpreadView;

// One card-reader session of the card-reading screen: finds and connects a reader over
// Bluetooth, resets it, starts the card wait, and keeps the reader usable between card reads.
// Its view is the reader illustration. It talks to its host screen only through
// DSpreadViewControllerDelegate, held without owning it, and to the reader through the
// services of the ReaderFactory in force when it was made.
//
// Lifetime: every timer and delayed call of the session runs on the Clock with this
// controller as context, so none outlives it; cleanup() cancels them all. Calls of the reader
// side arrive on the main thread, and none after cleanup() or the controller's end.
class DSpreadViewController : public ViewController,
                              public ReaderServiceListener,
                              public ReaderFinderListener,
                              public BluetoothCentralListener,
                              public ContactlessPromptDelegate {
    Q_OBJECT
public:
    // Length of one reader-finder scan (until stopped, in practice) and of a card wait, in
    // seconds.
    static constexpr qint64 scanBluetoothTime = 99999;
    static constexpr qint64 scanBluetoothCardTime = 10;
    // The Bluetooth-state wait: at most this many checks, this far apart.
    static constexpr int kBluetoothStateChecks = 201;
    static constexpr int kBluetoothStateCheckMs = 10;

    // initWithDelegate:demo: starts nothing: discovery begins when the view appears.
    DSpreadViewController(DSpreadViewControllerDelegate* delegate, bool demo,
                          QObject* parent = nullptr);
    ~DSpreadViewController() override;

    // Makes the reader illustration each controller shows as its view; the reader views install
    // it. Without one the view is empty and the illustration's calls are dropped.
    using DeviceMaker = std::function<DSpreadView*()>;
    static void setDeviceMaker(DeviceMaker maker);

    // The reader illustration: the controller's view; null when none was made.
    DSpreadView* device();
    DSpreadViewControllerDelegate* delegate() const { return delegate_.get(); }
    void setDelegate(DSpreadViewControllerDelegate* delegate) { delegate_ = delegate; }

    // The reader connected or being connected; empty when none.
    QString currentDeviceName() const { return connectedDeviceName_; }
    bool canAutoSelectDevice() const { return true; }
    bool shouldAskForTip();

    // Status texts, passed to the host unchanged.
    void changeUserMessage(const QString& message);
    void changeUserAttributedMessage(const QString& message);

    // Pass-through operations to the illustration.
    void connectDevice();
    void deviceConnected();
    void deviceDisconnected();
    void startAnimations();
    void stopAnimations();
    void bluetoothOff();
    void bluetoothTurnedOn();
    void startSearching();
    void showConnectionError() { willPresentDeviceHelp(true); }
    void endConnectionError() { willPresentDeviceHelp(false); }

    // ---- lifecycle
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidDisappear(bool animated) override;
    // Ends the session: no timer, delayed call, scan or connection is left. Safe to repeat.
    void cleanup();

    // ---- discovery and connection
    // Prepares the finder and starts the discovery when Bluetooth is on.
    void scanBluetooth();
    void bluetoothIsOn();
    void stopBluetooth();
    // Connects the named reader, or switches to it from the current one.
    void deviceSelected(const QString& name);
    void connectionPOS(const QString& name);
    void initQposs();
    void connectToClosestDevice();
    void showDeviceHelp();
    void willPresentDeviceHelp(bool show);
    void resetPos();
    void scheduleDismiss();

    // ---- trade start and contactless
    void startDSpreadTrade();
    void enableNFC();
    void disableNFC() override;
    void resetDSpreadInNoChipMode();

    // ---- between card reads
    void checkCardAndRestart();
    void getICCCardNumberNow();
    void switchNow();
    void waitUntilCardIsRemoved();

    // ---- card read results, prompts and tip
    void magneticSwiped(const QVariantMap& decodeData);
    void invalidCardSwiped();
    void finishMagneticPayment();
    void enterTip();

    // ---- transaction result, cancel and restart
    void cancelAndRetryTransaction();
    void completeTransaction();
    void restartTransaction();

    // ---- contactless read, online request and submission
    void nfcTapped(const QVariantMap& decodeData);
    static bool isDebitCard(const QString& label, const QString& aid, const QString& pan);
    void sendEMVSale();
    void processEMVSale();
    void preparedNFCSale();
    void sendNFCSale();
    void processNFCSale();
    // The authorisation response with the issuer's data; a refusal never carries an approving
    // issuer 8A.
    static QString arrangeOnlineProcessResultTLV(const QString& issuerData, const QString& authCode,
                                                 bool refusal = false);

    // ---- operation status, reversal and error endings
    void sendOperationStatus(bool completed, const QString& data);
    void sendOperationStatusAuthorized();
    void emvErrorMessage(const QString& message) { emvErrorMessage(message, true); }
    void emvErrorMessage(const QString& message, bool alertError);
    void nfcErrorMessage(const QString& message);
    bool retriesAbort();
    void failedTransaction();
    void acceptedBinsFailed();

    // ---- after approval
    void DSpread_CardAccepted();
    void goSign();
    // Whether the approved sale needs the cardholder's signature.
    bool signatureRequired();

    // Whether a refused card ends the flow (1004) rather than waiting for another card; the
    // facade keeps it.
    static void setRetryOnDenied(bool retry);
    static bool retryOnDenied();

    // ---- state, for the flows of the card transaction and for tests
    std::shared_ptr<CardAttempt> attempt() const { return attempt_; }
    SystemAlert* forceTransaction() const { return forceTransaction_; }
    SystemAlert* emvSelectApp() const { return emvSelectApp_; }
    void setCardRetries(qint32 retries) { cardRetries_ = retries; }
    bool scanningBluetooth() const { return scanningBluetooth_; }
    QString switchingToDevice() const { return switchingToDevice_; }
    QHash<QString, int> deviceSignals() const { return deviceSignals_; }
    bool NFCEnabled() const { return NFCEnabled_; }
    bool EMVEnabled() const { return EMVEnabled_; }
    bool hasPinpad() const { return hasPinpad_; }
    bool enablingNFC() const { return enablingNFC_; }
    bool asyncReseting() const { return asyncReseting_; }
    bool hasPosInfo() const { return hasPosInfo_; }
    bool keepHelpUntilConnected() const { return keepHelpUntilConnected_; }
    bool waitingForRemoval() const { return waitingForRemoval_; }
    bool aborting() const { return aborting_; }
    bool askedForTip() const { return askedForTip_; }
    bool demoPresentation() const { return demoPresentation_; }
    int gettingICCCardNumber() const { return gettingICCCardNumber_; }
    QString customCapabilities() const { return customCapabilities_; }
    qint32 cardRetries() const { return cardRetries_; }
    qint32 swipeRetries() const { return swipeRetries_; }
    ViewController* nfcController() const { return nfcController_; }
    bool isDeviceSearchTimerValid() const;
    bool isDismissTimerValid() const;
    std::shared_ptr<ReaderService> pos() const { return pos_; }
    AccountSettings& settings() const { return settings_; }

    // ---- reader service
    void onRequestQposConnected() override;
    void onRequestQposDisconnected() override;
    void onRequestNoQposDetected() override;
    void onAsyncResetPosStatus(const QString& status) override;
    void onQposInfoResult(const QVariantMap& info) override;
    void onQposIdResult(const QVariantMap& ids) override;
    void onRequestWaitingUser() override;
    void onLcdShowCustomDisplay(bool shown) override;
    void onDoTradeResult(int result, const QVariantMap& decodeData) override;
    void onReturnGetPinResult(const QVariantMap& result) override;
    void onRequestSetAmount() override;
    void onRequestSelectEmvApp(const QStringList& applications) override;
    void onRequestFinalConfirm() override;
    void onRequestTime() override;
    void onRequestIsServerConnected() override;
    void onRequestPinEntry() override;
    void onRequestDisplay(int message) override;
    void onRequestOnlineProcess(const QString& tlv) override;
    void onRequestTransactionResult(int result) override;
    void onRequestBatchData(const QString& tlv) override;
    void onEmvICCExceptionData(const QString& tlv) override;
    void onReturnReversalData(const QString& tlv) override;
    void onRequestGetCardNoResult(const QString& cardNumber) override;
    void onDHError(int error) override;

    // ---- reader finder (any thread)
    void onBluetoothName2Mode(const QString& name) override;
    void finishScanQPos2Mode() override;
    void bluetoothIsPowerOff2Mode() override;
    void bluetoothIsPowerOn2Mode() override;
    void bluetoothUnauthorized2Mode() override;

    // ---- Bluetooth central
    void centralManagerDidUpdateState(int state) override;
    void centralManagerDidDiscoverPeripheral(const QString& name, int rssi) override;

protected:
    QWidget* loadView() override;

private:
    // The delayed calls of the session, by the operation they run.
    enum class DelayedCall {
        SwitchNow,
        StartDSpreadTrade,
        CheckCardAndRestart,
        WaitUntilCardIsRemoved,
        ResetPos
    };
    void performAfterDelay(DelayedCall call, int delayMs);
    void cancelDelayedCalls(DelayedCall call);
    void cancelAllDelayedCalls();
    void run(DelayedCall call);

    // Sends the operation to the illustration, when there is one.
    void toDevice(void (DSpreadView::*operation)());
    void log(const QString& line) const;
    QString text(const QString& section, const QString& key) const;
    // The waiting text, or the host's demo text in the demo.
    void showWaitingText(const QString& key);
    std::shared_ptr<Sale> sale() const;
    // The host's contactless button: hidden or not, alpha and enabled.
    void setNFCButton(std::optional<bool> hidden, double alpha, bool enabled);
    // With contactless on: the button shown dimmed and disabled (no reader ready).
    void dimNFCButton();
    void showNoReader();
    // The reader reset after a contactless mode change.
    void resetForModeSwitch();
    // The Bluetooth-state wait: reads the finder's state, then again every 10 ms.
    void checkBluetoothState(int readsDone);
    // Discovery with Bluetooth on: the scans, and the search timer without a current reader.
    void runDiscovery();
    // A reader name from the finder, on the main thread.
    void readerFound(const QString& name);
    // Forgets the finder, central and service links (no call of them reaches this any more).
    void releaseReaderLinks();

    // ---- card transaction (DSpreadTransaction.cpp)
    // A new blank card for the sale, keeping the installment count of the one it replaces.
    std::shared_ptr<CreditCard> replaceCard();
    // A new attempt record for the card just read.
    void beginAttempt(int entry);
    // Reports "0" for an accepted attempt that got no final status.
    void settleAttempt();
    QString cardEntryType() const;
    void sendToReader(const QString& tlv);
    void presentAlert(ViewController* alert);
    void showPlainAlert(const QString& message);
    // The chip or contactless answer of the back end, on the main thread.
    void handleEMVAnswer(const std::optional<QByteArray>& reply, std::shared_ptr<CardAttempt> a);
    void handleNFCAnswer(const std::optional<QByteArray>& reply, std::shared_ptr<CardAttempt> a);
    // Copies an accepted answer into the sale.
    void applyAcceptedAnswer(const QVariantMap& answer);
    void handleNFCStatusReply(const std::optional<QByteArray>& reply);
    void askToForce(const QString& message);
    // The declined force question: the first closing callback of the reader ends the sale.
    void endAborted();
    // Takes the host's processing overlay down, then runs the rest.
    void closeProcessingOverlay(std::function<void()> then);
    // The chip refusal's ending: the error, then the card removal wait.
    void chipRefusal(const QString& message);
    void submit(bool chip);
    void refuseCardOutsideBins(bool chip);

    std::shared_ptr<CardAttempt> attempt_;
    QPointer<SystemAlert> forceTransaction_;
    QPointer<SystemAlert> emvSelectApp_;
    QPointer<SystemAlert> emvError_;
    bool approved_ = false;
    bool abortEnded_ = false;

    WeakRef<DSpreadViewControllerDelegate> delegate_;
    std::shared_ptr<ReaderFactory> factory_;
    DSpreadView* device_ = nullptr;
    QPointer<QWidget> deviceWidget_;
    AccountSettings& settings_;

    std::shared_ptr<ReaderService> pos_;
    std::unique_ptr<ReaderFinder> bt_;
    std::unique_ptr<BluetoothCentral> centralManager_;
    Clock::Handle deviceSearchTimer_ = 0;
    Clock::Handle dismissTimer_ = 0;
    Clock::Handle bluetoothStateCheck_ = 0;
    std::multimap<DelayedCall, Clock::Handle> delayedCalls_;

    bool demoPresentation_ = false;
    bool waitingForRemoval_ = false;
    bool aborting_ = false;
    bool scanningBluetooth_ = false;
    QString connectedDeviceName_;
    QString switchingToDevice_;
    QHash<QString, int> deviceSignals_;
    QPointer<ViewController> nfcController_;
    bool enablingNFC_ = false;
    bool asyncReseting_ = false;
    bool askedForTip_ = false;
    bool hasPosInfo_ = false;
    bool keepHelpUntilConnected_ = false;
    int gettingICCCardNumber_ = 0;
    QString customCapabilities_;
    qint32 cardRetries_ = INT_MIN;
    qint32 swipeRetries_ = 3;
    bool hasPinpad_ = true;
    bool EMVEnabled_ = true;
    bool NFCEnabled_ = false;
};
