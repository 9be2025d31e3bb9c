#include "reader/DSpreadViewController.h"

#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "api/LogRedaction.h"
#include "model/CreditCard.h"
#include "model/Sale.h"
#include "platform/core/Logging.h"
#include "platform/core/MainThread.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/View.h"
#include "reader/CardAttempt.h"
#include "reader/DeviceSelectorList.h"
#include "reader/Util.h"
#include "reader/views/DSpreadView.h"
#include "ui_kit/AlertController.h"
#include "ui_kit/texts/Language.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QLocale>
#include <cmath>
#include <limits>

namespace {

const QString kDefaultPosBluetoothName = QStringLiteral("defaultPosBluetoothName");
const QString kReaderPrefix = QStringLiteral("MPOS");
// The storyboard whose initial screen is the contactless prompt.
const QString kContactlessPromptStoryboard = QStringLiteral("DSpread_Pinpad_Contactless");

constexpr int kNoReaderSearchMs = 5000;
constexpr int kRememberedReaderSearchMs = 10000;
constexpr int kDismissMs = 20000;
constexpr int kResetFallbackMs = 10000;
constexpr int kRestartMs = 500;
constexpr int kSwitchMs = 1000;
constexpr int kRemovalPollMs = 1000;
constexpr int kCardPresentTimeoutSeconds = 5;

// Cancels the timer, if any, and forgets its handle.
void cancelTimer(Clock::Handle& timer) {
    Clock::current().cancel(timer);
    timer = 0;
}

QString compactJson(const QVariantMap& map) {
    return QString::fromUtf8(QJsonDocument::fromVariant(map).toJson(QJsonDocument::Compact));
}

} // namespace

DSpreadViewController::DSpreadViewController(DSpreadViewControllerDelegate* delegate, bool demo,
                                             QObject* parent)
    : ViewController(parent)
    , delegate_(delegate)
    , factory_(ReaderFactory::current())
    , settings_(AccountSettings::instance())
    , demoPresentation_(demo) {}

DSpreadViewController::~DSpreadViewController() {
    settleAttempt();
    releaseReaderLinks();
}

void DSpreadViewController::releaseReaderLinks() {
    if (bt_)
        bt_->setListener(nullptr);
    if (centralManager_)
        centralManager_->setListener(nullptr);
    if (pos_ && pos_->listener() == static_cast<ReaderServiceListener*>(this))
        pos_->setListener(nullptr);
}

// ---------------------------------------------------------------- view and host

namespace {
DSpreadViewController::DeviceMaker& deviceMaker() {
    static DSpreadViewController::DeviceMaker maker;
    return maker;
}
} // namespace

void DSpreadViewController::setDeviceMaker(DeviceMaker maker) {
    deviceMaker() = std::move(maker);
}

QWidget* DSpreadViewController::loadView() {
    device_ = deviceMaker() ? deviceMaker()() : nullptr;
    deviceWidget_ = device_ ? device_->widget() : new QWidget();
    if (!device_)
        deviceWidget_->setObjectName(QStringLiteral("readerIllustration"));
    return deviceWidget_;
}

DSpreadView* DSpreadViewController::device() {
    view();
    return deviceWidget_ ? device_ : nullptr;
}

void DSpreadViewController::viewDidLoad() {
    ViewController::viewDidLoad();
    User::instance(); // the session user whose token goes with every request
}

bool DSpreadViewController::shouldAskForTip() {
    const auto s = sale();
    return !askedForTip_ && s && s->trxType() == 0;
}

void DSpreadViewController::changeUserMessage(const QString& message) {
    if (auto* host = delegate())
        host->changeUserMessage(message);
}

void DSpreadViewController::changeUserAttributedMessage(const QString& message) {
    if (auto* host = delegate())
        host->changeUserAttributedMessage(message);
}

void DSpreadViewController::toDevice(void (DSpreadView::*operation)()) {
    if (auto* d = device())
        (d->*operation)();
}

void DSpreadViewController::connectDevice() {
    toDevice(&DSpreadView::connectDevice);
}

void DSpreadViewController::deviceConnected() {
    toDevice(&DSpreadView::deviceConnected);
}

void DSpreadViewController::deviceDisconnected() {
    toDevice(&DSpreadView::deviceDisconnected);
}

void DSpreadViewController::startAnimations() {
    toDevice(&DSpreadView::startAnimations);
}

void DSpreadViewController::stopAnimations() {
    toDevice(&DSpreadView::stopAnimations);
}

void DSpreadViewController::bluetoothOff() {
    toDevice(&DSpreadView::bluetoothOff);
}

void DSpreadViewController::bluetoothTurnedOn() {
    toDevice(&DSpreadView::bluetoothTurnedOn);
}

void DSpreadViewController::startSearching() {
    toDevice(&DSpreadView::startSearching);
}

void DSpreadViewController::log(const QString& line) const {
    Logging::info(tarvelloReader, LogRedaction::redact(line));
}

QString DSpreadViewController::text(const QString& section, const QString& key) const {
    return Language::textForFile(section, key);
}

void DSpreadViewController::showWaitingText(const QString& key) {
    auto* host = delegate();
    if (demoPresentation_ && host)
        changeUserAttributedMessage(host->readerDemoInitialMessage());
    else
        changeUserMessage(text(QStringLiteral("Device"), key));
}

std::shared_ptr<Sale> DSpreadViewController::sale() const {
    auto* host = delegate();
    return host ? host->sale() : nullptr;
}

void DSpreadViewController::setNFCButton(std::optional<bool> hidden, double alpha, bool enabled) {
    auto* host = delegate();
    QWidget* button = host ? host->enableNFCButton() : nullptr;
    if (!button)
        return;
    if (hidden)
        View::setHidden(button, *hidden);
    View::setAlpha(button, alpha);
    button->setEnabled(enabled);
}

// ---------------------------------------------------------------- delayed calls

void DSpreadViewController::performAfterDelay(DelayedCall call, int delayMs) {
    auto handle = std::make_shared<Clock::Handle>(0);
    *handle = Clock::current().callAfter(delayMs, this, [this, call, handle] {
        for (auto it = delayedCalls_.begin(); it != delayedCalls_.end(); ++it)
            if (it->second == *handle) {
                delayedCalls_.erase(it);
                break;
            }
        run(call);
    });
    delayedCalls_.emplace(call, *handle);
}

void DSpreadViewController::cancelDelayedCalls(DelayedCall call) {
    auto [first, last] = delayedCalls_.equal_range(call);
    for (auto it = first; it != last; ++it)
        Clock::current().cancel(it->second);
    delayedCalls_.erase(first, last);
}

void DSpreadViewController::cancelAllDelayedCalls() {
    for (const auto& [call, handle] : delayedCalls_)
        Clock::current().cancel(handle);
    delayedCalls_.clear();
}

void DSpreadViewController::run(DelayedCall call) {
    switch (call) {
    case DelayedCall::SwitchNow:
        switchNow();
        break;
    case DelayedCall::StartDSpreadTrade:
        startDSpreadTrade();
        break;
    case DelayedCall::CheckCardAndRestart:
        checkCardAndRestart();
        break;
    case DelayedCall::WaitUntilCardIsRemoved:
        waitUntilCardIsRemoved();
        break;
    case DelayedCall::ResetPos:
        resetPos();
        break;
    }
}

bool DSpreadViewController::isDeviceSearchTimerValid() const {
    return deviceSearchTimer_ && Clock::current().isActive(deviceSearchTimer_);
}

bool DSpreadViewController::isDismissTimerValid() const {
    return dismissTimer_ && Clock::current().isActive(dismissTimer_);
}

// ---------------------------------------------------------------- lifecycle

void DSpreadViewController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    scanningBluetooth_ = false;
    if (centralManager_)
        centralManager_->setListener(nullptr);
    centralManager_ = factory_->makeCentral();
    centralManager_->setListener(this);
    scanBluetooth();
    auto* host = delegate();
    if (host && host->demoPresentation())
        changeUserAttributedMessage(host->readerDemoInitialMessage());
    else
        changeUserMessage(text(QStringLiteral("Device"), QStringLiteral("MESSAGE_WAIT_DSPREAD")));
    startSearching();
    deviceSignals_.clear();
    cardRetries_ = INT_MIN;
    swipeRetries_ = 3;
    EMVEnabled_ = true;
    NFCEnabled_ = true;

    // Contactless only below the merchant's limit, and never for a void.
    const auto s = sale();
    const QVariant limit = settings_.contactlessTransactionLimit();
    if (!limit.isNull() && s && s->total() && s->total()->doubleValue() >= limit.toDouble())
        NFCEnabled_ = false;
    if (s && s->trxType() == 1)
        NFCEnabled_ = false;
    if (NFCEnabled_)
        setNFCButton(false, 0.5, false);
}

void DSpreadViewController::viewWillDisappear(bool animated) {
    ViewController::viewWillDisappear(animated);
    cleanup();
}

void DSpreadViewController::viewDidDisappear(bool animated) {
    ViewController::viewDidDisappear(animated);
    stopAnimations();
    if (NFCEnabled_) {
        auto* host = delegate();
        if (QWidget* button = host ? host->enableNFCButton() : nullptr)
            View::setHidden(button, true);
    }
}

void DSpreadViewController::cleanup() {
    log(QStringLiteral("[DSPREAD] cleanup"));
    stopAnimations();
    auto* host = delegate();
    if (host && host->deviceSelector())
        host->removeDeviceSelector();
    // An approved sale goes on to signature or receipt with its installments and method name.
    if (const auto s = sale(); s && !approved_) {
        s->setPaymentMethodName(QString());
        if (s->creditCard())
            s->creditCard()->clearInstallments();
    }
    // An accepted card with no final status yet is reported not completed.
    settleAttempt();
    emvSelectApp_ = nullptr;

    // Every timer and delayed call of the session.
    for (Clock::Handle* timer : {&deviceSearchTimer_, &dismissTimer_, &bluetoothStateCheck_})
        cancelTimer(*timer);
    cancelAllDelayedCalls();

    if (centralManager_) {
        if (centralManager_->isScanning())
            centralManager_->stopScan();
        centralManager_->setListener(nullptr);
        centralManager_.reset();
    }
    deviceSignals_.clear();
    connectedDeviceName_.clear();
    if (bt_)
        stopBluetooth();
    if (pos_) {
        pos_->setListener(nullptr);
        pos_->disconnect();
        pos_.reset();
    }
    // The disconnect is no longer heard: forget what it would have reset, and any switch.
    switchingToDevice_.clear();
    hasPosInfo_ = false;
    asyncReseting_ = false;
    enablingNFC_ = false;
    waitingForRemoval_ = false;
    aborting_ = false;
}

// ---------------------------------------------------------------- discovery

void DSpreadViewController::scanBluetooth() {
    if (!bt_)
        bt_ = factory_->makeFinder();
    bt_->setListener(this);
    const bool centralOn = centralManager_ && centralManager_->state() == BluetoothState::PoweredOn;
    if (centralOn || bt_->state() == BluetoothState::PoweredOn)
        bluetoothIsOn();
}

void DSpreadViewController::bluetoothIsOn() {
    log(QStringLiteral("[DSPREAD] bluetoothIsOn"));
    scanningBluetooth_ = true;
    if (!bt_ || bt_->state() != BluetoothState::PoweredOn) {
        if (bt_) {
            bt_->setListener(nullptr);
            bt_->stop();
        }
        bt_ = factory_->makeFinder();
        bt_->setListener(this);
        if (centralManager_ && centralManager_->isScanning())
            centralManager_->stopScan();
    }
    log(QStringLiteral("Bluetooth status: %1").arg(bt_->state()));
    cancelTimer(bluetoothStateCheck_);
    if (bt_->state() == BluetoothState::Unknown) {
        checkBluetoothState(0);
        return;
    }
    runDiscovery();
}

// Reads the finder's state without blocking: again every 10 ms while it is not on, at most
// 201 reads in all; then the screen is left.
void DSpreadViewController::checkBluetoothState(int readsDone) {
    bluetoothStateCheck_ = 0;
    if (!bt_)
        return;
    const int state = bt_->state();
    if (state == BluetoothState::PoweredOn) {
        runDiscovery();
        return;
    }
    log(QStringLiteral("Bluetooth state is not power on: %1").arg(state));
    if (readsDone + 1 >= kBluetoothStateChecks) {
        scheduleDismiss();
        return;
    }
    bluetoothStateCheck_ = Clock::current().callAfter(
        kBluetoothStateCheckMs, this, [this, readsDone] { checkBluetoothState(readsDone + 1); });
}

void DSpreadViewController::runDiscovery() {
    const bool centralOn = centralManager_ && centralManager_->state() == BluetoothState::PoweredOn;
    // With the merchant's sheet open the scan only fills it: nothing connects by itself.
    if (currentDeviceName().isEmpty()) {
        const bool remembered =
            !UserDefaults::standardUserDefaults().stringForKey(kDefaultPosBluetoothName).isEmpty();
        Clock::current().cancel(deviceSearchTimer_);
        deviceSearchTimer_ = Clock::current().callAfter(
            remembered ? kRememberedReaderSearchMs : kNoReaderSearchMs, this, [this] {
                deviceSearchTimer_ = 0;
                connectToClosestDevice();
            });
    }
    bt_->scan(scanBluetoothTime);
    if (centralOn)
        centralManager_->scanForPeripherals();
}

void DSpreadViewController::stopBluetooth() {
    log(QStringLiteral("[DSPREAD] stopBluetooth"));
    if (!keepHelpUntilConnected_)
        willPresentDeviceHelp(false);
    if (bt_) {
        bt_->setListener(nullptr);
        bt_->stop();
    }
    if (centralManager_ && centralManager_->isScanning())
        centralManager_->stopScan();
    bt_.reset();
    scanningBluetooth_ = false;
    cancelTimer(deviceSearchTimer_);
    cancelTimer(bluetoothStateCheck_);
}

void DSpreadViewController::centralManagerDidUpdateState(int state) {
    bool on = state == BluetoothState::PoweredOn;
    if (state == BluetoothState::Unsupported) {
        auto* host = delegate();
        ViewController* screen = host ? host->hostViewController() : nullptr;
        on = screen && screen->view()->width() == 320;
    }
    if (bt_ && centralManager_ && centralManager_->state() == BluetoothState::PoweredOn &&
        !centralManager_->isScanning())
        centralManager_->scanForPeripherals();
    if (!bt_ || scanningBluetooth_)
        return;
    if (on) {
        cancelTimer(dismissTimer_);
        showWaitingText(QStringLiteral("MESSAGE_WAIT_DSPREAD"));
        bluetoothTurnedOn();
        startSearching();
        bluetoothIsOn();
    } else if (state == BluetoothState::PoweredOff) {
        changeUserMessage(text(QStringLiteral("Device"), QStringLiteral("MESSAGE_BLUETOOTH_OFF")));
        bluetoothOff();
        Clock::current().cancel(dismissTimer_); // one dismiss timer at a time
        dismissTimer_ = Clock::current().callAfter(kDismissMs, this, [this] {
            dismissTimer_ = 0;
            scheduleDismiss();
        });
    }
}

void DSpreadViewController::centralManagerDidDiscoverPeripheral(const QString& name, int rssi) {
    if (name.isEmpty() || !name.startsWith(kReaderPrefix))
        return;
    log(QStringLiteral("[DSPREAD] FOUND DEVICE (%1): %2").arg(rssi).arg(name));
    deviceSignals_.insert(name, rssi);
}

void DSpreadViewController::onBluetoothName2Mode(const QString& name) {
    // Any thread: only the hand-over to the main thread happens here.
    log(QStringLiteral("+++onBluetoothName2Mode %1").arg(name));
    if (!name.startsWith(kReaderPrefix))
        return;
    MainThread::post(this, [this, name] { readerFound(name); });
}

void DSpreadViewController::readerFound(const QString& name) {
    if (!bt_)
        return;
    auto* host = delegate();
    DeviceSelectorList* sheet = nullptr;
    if (host) {
        sheet = host->deviceSelector();
        if (!sheet)
            sheet = host->createDeviceSelector();
    }
    if (sheet)
        sheet->deviceDiscovered(name);
    if (!currentDeviceName().isEmpty() || !canAutoSelectDevice()) {
        log(QStringLiteral("[DSPREAD] Skipping connect %1 %2")
                .arg(currentDeviceName())
                .arg(int(canAutoSelectDevice())));
        return;
    }
    if (sheet && sheet->isOnScreen())
        return; // the merchant chooses
    if (UserDefaults::standardUserDefaults().stringForKey(kDefaultPosBluetoothName) == name) {
        stopBluetooth();
        connectionPOS(name);
    } else if (!isDeviceSearchTimerValid()) {
        deviceSelected(name);
    }
}

void DSpreadViewController::finishScanQPos2Mode() {
    MainThread::post(this, [this] { stopBluetooth(); });
}

void DSpreadViewController::bluetoothIsPowerOff2Mode() {
    MainThread::post(this, [this] { log(QStringLiteral("+++bluetoothIsPowerOff2Mode")); });
}

void DSpreadViewController::bluetoothIsPowerOn2Mode() {
    MainThread::post(this, [this] { log(QStringLiteral("+++bluetoothIsPowerOn2Mode")); });
}

void DSpreadViewController::bluetoothUnauthorized2Mode() {
    MainThread::post(this, [this] { log(QStringLiteral("+++bluetoothUnauthorized2Mode")); });
}

void DSpreadViewController::connectToClosestDevice() {
    auto* host = delegate();
    DeviceSelectorList* sheet = host ? host->deviceSelector() : nullptr;
    log(QStringLiteral("connectToClosestDevice %1")
            .arg(sheet ? sheet->devices().join(QStringLiteral(", ")) : QStringLiteral("(none)")));
    if (sheet) {
        if (sheet->isOnScreen())
            return;
        QString closest;
        float best = -std::numeric_limits<float>::infinity();
        for (const QString& name : sheet->devices()) {
            const auto it = deviceSignals_.constFind(name);
            if (it == deviceSignals_.constEnd())
                continue;
            if (float(*it) > best) {
                best = float(*it);
                closest = name;
            }
        }
        if (!closest.isEmpty()) {
            deviceSelected(closest);
            return;
        }
    }
    showNoReader();
    showDeviceHelp();
}

void DSpreadViewController::deviceSelected(const QString& name) {
    log(QStringLiteral("[DSPREAD] deviceSelected: %1").arg(name));
    stopBluetooth();
    if (name == currentDeviceName())
        return;
    if (!currentDeviceName().isEmpty()) {
        // Switch: the new reader connects after the current one has disconnected.
        dimNFCButton();
        showWaitingText(QStringLiteral("MESSAGE_WAIT"));
        deviceDisconnected();
        startAnimations();
        if (pos_)
            pos_->disconnect();
        switchingToDevice_ = name;
        connectedDeviceName_ = name;
        if (auto* host = delegate())
            host->showSelectedReader();
        return;
    }
    connectionPOS(name);
}

void DSpreadViewController::connectionPOS(const QString& name) {
    log(QStringLiteral("[DSPREAD] connectionPOS %1").arg(name));
    cancelTimer(deviceSearchTimer_);
    UserDefaults::standardUserDefaults().setObject(name, kDefaultPosBluetoothName);
    initQposs();
    if (const auto s = sale())
        s->setDeviceSerialNumber(name);
    pos_->connect(name);
    connectedDeviceName_ = name;
    if (auto* host = delegate())
        host->showSelectedReader();
}

void DSpreadViewController::initQposs() {
    if (!pos_)
        pos_ = factory_->sharedService();
    pos_->setListener(this);
    pos_->setPosType(ReaderService::kBluetoothPosType);
}

// No reader: the status text says so and the illustration shows a reader not connected.
void DSpreadViewController::showNoReader() {
    changeUserMessage(
        text(QStringLiteral("Device"), QStringLiteral("MESSAGE_BLUETOOTH_DEVICE_OFF")));
    deviceDisconnected();
    startAnimations();
}

void DSpreadViewController::dimNFCButton() {
    if (NFCEnabled_)
        setNFCButton(std::nullopt, 0.5, false);
}

void DSpreadViewController::showDeviceHelp() {
    willPresentDeviceHelp(true);
    changeUserMessage(text(QStringLiteral("DSpreadHelp"), QStringLiteral("Title")));
}

void DSpreadViewController::willPresentDeviceHelp(bool show) {
    auto* host = delegate();
    DSpreadView* illustration = device();
    ViewController* screen = host ? host->hostViewController() : nullptr;
    if (show) {
        if (illustration && illustration->connectionErrorIn(screen ? screen->view() : nullptr))
            return;
        if (!host || !illustration || host->deviceConnectionErrorAlertController())
            return;
        host->showHelpButton(true);
        WeakRef<DSpreadViewControllerDelegate> weakHost(host);
        AlertController* alert =
            illustration->connectionErrorAlertControllerWithActionHandler([weakHost](AlertAction*) {
                if (auto* h = weakHost.get())
                    h->setDeviceConnectionErrorAlertController(nullptr);
            });
        host->setDeviceConnectionErrorAlertController(alert);
        if (screen)
            screen->presentViewController(alert, true);
        return;
    }
    if (illustration && illustration->endConnectionError())
        return;
    if (!host)
        return;
    if (AlertController* alert = host->deviceConnectionErrorAlertController())
        alert->dismissViewControllerAnimated(true);
    host->setDeviceConnectionErrorAlertController(nullptr);
}

void DSpreadViewController::resetPos() {
    changeUserMessage(text(QStringLiteral("Device"), QStringLiteral("MESSAGE_WAIT")));
    if (pos_)
        pos_->resetAsync();
}

void DSpreadViewController::scheduleDismiss() {
    auto* host = delegate();
    ViewController* screen = host ? host->hostViewController() : nullptr;
    if (NavigationController* navigation = screen ? screen->navigationController() : nullptr)
        navigation->popViewControllerAnimated(true);
}

// ---------------------------------------------------------------- trade start

void DSpreadViewController::onRequestQposConnected() {
    log(QStringLiteral("[DSPREAD] onRequestQposConnected. Waiting for reset"));
    if (pos_)
        pos_->resetAsync();
    performAfterDelay(DelayedCall::StartDSpreadTrade, kResetFallbackMs);
}

void DSpreadViewController::startDSpreadTrade() {
    log(QStringLiteral("[DSPREAD] startDSpreadTrade"));
    // A new card wait: the last card's transaction is over.
    settleAttempt();
    if (!pos_)
        return;
    if (NFCEnabled_) {
        if (nfcController_) {
            pos_->setCardTradeMode(ReaderService::kTradeModeContactless);
        } else {
            pos_->setCardTradeMode(ReaderService::kTradeModeWithContactless);
            setNFCButton(std::nullopt, 1.0, true);
        }
    }
    keepHelpUntilConnected_ = false;
    willPresentDeviceHelp(false);

    QStringList items;
    const QVariant cvmLimit = settings_.customCvmLimit();
    if (!cvmLimit.isNull()) {
        bool ok = false;
        const double limit = std::trunc(cvmLimit.toDouble(&ok));
        if (ok && limit >= 0 && limit <= std::numeric_limits<int>::max())
            items.append(QStringLiteral("DF21%1").arg(qint64(limit), 10, 10, QLatin1Char('0')) +
                         QStringLiteral("00"));
        else
            Logging::warning(tarvelloReader,
                             QStringLiteral("[DSPREAD] CVM limit not loaded: not an amount"));
    }
    if (!customCapabilities_.isEmpty())
        items.append(QStringLiteral("9F33") + customCapabilities_);

    if (items.isEmpty()) {
        pos_->checkCard(int(scanBluetoothCardTime));
        return;
    }
    QPointer<DSpreadViewController> self(this);
    pos_->updateEmvApplication(
        ReaderService::kEmvUpdateParameters, items, [self](bool ok, const QString& message) {
            if (!self)
                return;
            self->log(QStringLiteral("[DSPREAD] updateEmvAPP %1: %2").arg(int(ok)).arg(message));
            if (self->pos_)
                self->pos_->checkCard(int(scanBluetoothCardTime));
        });
}

void DSpreadViewController::enableNFC() {
    changeUserMessage(text(QStringLiteral("DSPREAD"), QStringLiteral("PLEASE_WAIT")));
    enablingNFC_ = true;
    ViewController* prompt = Storyboard::instantiateInitial(kContactlessPromptStoryboard);
    if (prompt) {
        nfcController_ = prompt;
        if (auto* contactless = dynamic_cast<ContactlessPrompt*>(prompt))
            contactless->setDelegate(this);
        prompt->setModalPresentationStyle(
            ViewController::ModalPresentationStyle::OverCurrentContext);
        auto* host = delegate();
        ViewController* screen = host ? host->hostViewController() : nullptr;
        if (screen)
            screen->presentViewController(prompt, true);
        else
            delete prompt;
    }
    resetForModeSwitch();
}

void DSpreadViewController::disableNFC() {
    changeUserMessage(text(QStringLiteral("DSPREAD"), QStringLiteral("PLEASE_WAIT")));
    enablingNFC_ = false;
    if (nfcController_)
        nfcController_->dismissViewControllerAnimated(true);
    nfcController_ = nullptr;
    resetForModeSwitch();
}

// The reader resets into the new mode; its reset answer starts the next card wait.
void DSpreadViewController::resetForModeSwitch() {
    asyncReseting_ = true;
    if (pos_)
        pos_->resetAsync();
}

void DSpreadViewController::resetDSpreadInNoChipMode() {
    if (!pos_)
        return;
    pos_->resetAsync();
    pos_->setCardTradeMode(ReaderService::kTradeModeNoChip);
}

// ---------------------------------------------------------------- between card reads

void DSpreadViewController::onAsyncResetPosStatus(const QString& status) {
    log(QStringLiteral("[DSPREAD] onAsyncResetPosStatus %1 %2")
            .arg(status)
            .arg(int(asyncReseting_)));
    asyncReseting_ = false;
    if (status == QLatin1String("1") && enablingNFC_) {
        enablingNFC_ = false;
        if (pos_) {
            pos_->setCardTradeMode(ReaderService::kTradeModeContactless);
            pos_->checkCard(int(scanBluetoothCardTime));
        }
        return;
    }
    if (status == QLatin1String("1")) {
        cancelDelayedCalls(DelayedCall::StartDSpreadTrade);
        cancelDelayedCalls(DelayedCall::CheckCardAndRestart);
        if (gettingICCCardNumber_ == 2) {
            getICCCardNumberNow();
        } else if (gettingICCCardNumber_ == 3) {
            gettingICCCardNumber_ = 4;
            performAfterDelay(DelayedCall::StartDSpreadTrade, kRestartMs);
        } else {
            performAfterDelay(DelayedCall::CheckCardAndRestart, kRestartMs);
        }
        return;
    }
    performAfterDelay(DelayedCall::ResetPos, kRestartMs);
}

void DSpreadViewController::checkCardAndRestart() {
    if (!pos_)
        return;
    if (!hasPosInfo_) {
        pos_->requestInfo();
        return;
    }
    QPointer<DSpreadViewController> self(this);
    pos_->isCardPresent(kCardPresentTimeoutSeconds, [self](bool present) {
        if (!self)
            return;
        if (present) {
            self->changeUserMessage(
                self->text(QStringLiteral("Device"), QStringLiteral("MESSAGE_REMOVE_CHIP_CARD")));
            self->waitUntilCardIsRemoved();
        } else {
            self->startDSpreadTrade();
        }
    });
}

void DSpreadViewController::getICCCardNumberNow() {
    if (pos_)
        pos_->requestIccCardNumber(
            QLocale(QStringLiteral("en_US_POSIX"))
                .toString(QDateTime::currentDateTime(), QStringLiteral("yyyyMMddHHmmss")));
}

void DSpreadViewController::onQposInfoResult(const QVariantMap& info) {
    log(QStringLiteral("[DSPREAD] onQposInfoResult: %1").arg(compactJson(info)));
    if (info.contains(QStringLiteral("batteryPercentage"))) {
        const float charge =
            float(info.value(QStringLiteral("batteryPercentage")).toInt()) / 100.0f;
        if (const auto s = sale())
            s->setDeviceBatteryCharge(charge);
        if (auto* host = delegate())
            host->showBatteryCharging(charge, info.value(QStringLiteral("isCharging")).toBool());
    }
    if (pos_)
        pos_->requestId();
}

void DSpreadViewController::onQposIdResult(const QVariantMap& ids) {
    log(QStringLiteral("[DSPREAD] onQposIdResult: %1").arg(compactJson(ids)));
    hasPosInfo_ = true;
    if (const auto s = sale())
        s->setFullSerialNumber(ids.value(QStringLiteral("posId")).toString());
    checkCardAndRestart();
}

void DSpreadViewController::onRequestQposDisconnected() {
    log(QStringLiteral("[DSPREAD] onRequestQposDisconnected"));
    hasPosInfo_ = false;
    auto* host = delegate();
    if (host)
        host->hideBatteryIndicator();
    if (!switchingToDevice_.isEmpty()) {
        performAfterDelay(DelayedCall::SwitchNow, kSwitchMs);
        return;
    }
    dimNFCButton();
    asyncReseting_ = false;
    connectedDeviceName_.clear();
    if (host)
        host->showSelectedReader();
}

void DSpreadViewController::switchNow() {
    if (switchingToDevice_.isEmpty())
        return;
    const QString name = switchingToDevice_;
    switchingToDevice_.clear();
    connectionPOS(name);
}

void DSpreadViewController::onRequestNoQposDetected() {
    log(QStringLiteral("[DSPREAD] onRequestNoQposDetected"));
    hasPosInfo_ = false;
    if (auto* host = delegate())
        host->hideBatteryIndicator();
    if (!switchingToDevice_.isEmpty())
        return;
    dimNFCButton();
    asyncReseting_ = false;
    UserDefaults::standardUserDefaults().removeObjectForKey(kDefaultPosBluetoothName);
    showNoReader();
    scanBluetooth();
    connectedDeviceName_.clear();
    if (auto* host = delegate())
        host->showSelectedReader();
    keepHelpUntilConnected_ = true;
    showDeviceHelp();
}

void DSpreadViewController::onRequestWaitingUser() {
    log(QStringLiteral("[DSPREAD] Waiting for User"));
    cancelDelayedCalls(DelayedCall::StartDSpreadTrade);
    cancelDelayedCalls(DelayedCall::CheckCardAndRestart);
    auto* host = delegate();
    const QString shown = host ? host->userMessageStr() : QString();
    const bool readError =
        shown == text(QStringLiteral("Device"), QStringLiteral("MESSAGE_SWIPE_ERROR")) ||
        shown == text(QStringLiteral("Device"), QStringLiteral("MESSAGE_CHIP_CARD")) ||
        shown == text(QStringLiteral("readerDemo"), QStringLiteral("readerDemoReadingError"));
    if (!readError)
        changeUserMessage(text(QStringLiteral("Device"),
                               EMVEnabled_ ? QStringLiteral("MESSAGE_CHIP_DEVICE_CONNECTED")
                                           : QStringLiteral("MESSAGE_DEVICE_CONNECTED")));
    if (host)
        host->showAcceptedCards();
    deviceConnected();
    willPresentDeviceHelp(false);
    startAnimations();

    // The first card wait on a device that bought its reader marks the reader as checked.
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    if (!defaults.hasKey(QStringLiteral("readerChecked")) &&
        defaults.hasKey(QStringLiteral("hardware"))) {
        defaults.setObject(true, QStringLiteral("readerChecked"));
        defaults.setObject(true, QStringLiteral("readerPurchased"));
        defaults.setObject(QStringLiteral("never"), QStringLiteral("demoReminder"));
        defaults.synchronize();
        User::instance().setReaderPurchased(true);
    }
}

void DSpreadViewController::waitUntilCardIsRemoved() {
    log(QStringLiteral("[DSPREAD] waitUntilCardIsRemoved"));
    waitingForRemoval_ = true;
    if (pos_)
        pos_->showCustomDisplay(2, Util::gbString(QStringLiteral("RETIRE TARJETA")));
}

void DSpreadViewController::onLcdShowCustomDisplay(bool shown) {
    log(QStringLiteral("[DSPREAD] onLcdShowCustomDisplay %1").arg(int(shown)));
    if (!waitingForRemoval_ || !pos_)
        return;
    QPointer<DSpreadViewController> self(this);
    pos_->isCardPresent(kCardPresentTimeoutSeconds, [self](bool present) {
        if (!self)
            return;
        if (present) {
            self->cancelDelayedCalls(DelayedCall::WaitUntilCardIsRemoved);
            self->performAfterDelay(DelayedCall::WaitUntilCardIsRemoved, kRemovalPollMs);
            return;
        }
        self->waitingForRemoval_ = false;
        if (auto* d = self->device())
            d->restartAnimations();
        if (self->pos_)
            self->pos_->resetAsync();
    });
}
