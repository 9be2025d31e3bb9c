// The card transaction of the reader session: read results, the reader's prompts, the online
// request, the submission and its authorisation response, the status report, the endings and
// the signature decision.
#include "reader/DSpreadViewController.h"

#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "api/APIController.h"
#include "api/APIControllerDelegate.h"
#include "api/HostCredentials.h"
#include "model/Client.h"
#include "model/CreditCard.h"
#include "model/Sale.h"
#include "platform/core/Logging.h"
#include "platform/core/VersionDispatch.h"
#include "platform/core/Worker.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Storyboard.h"
#include "reader/CardAttempt.h"
#include "reader/EmvData.h"
#include "reader/Util.h"
#include "reader/views/DSpreadView.h"
#include "ui_kit/AlertController.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLocale>
#include <cmath>

namespace {

const QString kChip = QStringLiteral("emv");
const QString kContactless = QStringLiteral("nfc_emv");

constexpr int kInvalidCardRestartMs = 3000;
constexpr int kRemovalWaitMs = 1000;
constexpr int kRestartMs = 500;
constexpr int kPinTimeoutSeconds = 30;
constexpr int kTipTimeoutSeconds = 5;

// The authorisation responses without issuer data.
const QString kApproved = QStringLiteral("8A023030");
const QString kRefer = QStringLiteral("8A023031");
const QString kDeclined = QStringLiteral("8A023035");
const QString kNoAnswer = QStringLiteral("8A025A33");
const QString kWrongPin = QStringLiteral("8A025A31");

bool gRetryOnDenied = true;

// The reply as a dictionary; empty when it is not a JSON object.
QVariantMap answerOf(const QByteArray& reply) {
    const QJsonDocument document = QJsonDocument::fromJson(reply);
    return document.isObject() ? document.object().toVariantMap() : QVariantMap();
}

// A value that is present and not JSON null.
bool has(const QVariantMap& map, const QString& key) {
    const QVariant value = map.value(key);
    return value.isValid() && !value.isNull();
}

QString stringOf(const QVariantMap& map, const QString& key) {
    return has(map, key) ? map.value(key).toString() : QString();
}

// "response" "code" as a 32-bit integer (a number or numeric text); none when missing.
std::optional<int> refusalCode(const QVariantMap& answer) {
    const QVariantMap response = answer.value(QStringLiteral("response")).toMap();
    if (!has(response, QStringLiteral("code")))
        return std::nullopt;
    bool ok = false;
    const int code = response.value(QStringLiteral("code")).toString().trimmed().toInt(&ok);
    return ok ? std::optional<int>(code) : std::nullopt;
}

QString refusalText(const QVariantMap& answer, const QString& key) {
    return stringOf(answer.value(QStringLiteral("response")).toMap(), key);
}

// "iccResponseTagsComplete" when present, else "iccTags".
QString issuerDataOf(const QVariantMap& answer) {
    if (has(answer, QStringLiteral("iccResponseTagsComplete")))
        return stringOf(answer, QStringLiteral("iccResponseTagsComplete"));
    return stringOf(answer, QStringLiteral("iccTags"));
}

bool isAccepted(const QVariantMap& answer) {
    return stringOf(answer, QStringLiteral("success")) == QLatin1String("OK");
}

QString fixedResponse(const QString& code) {
    if (code == QLatin1String("00"))
        return kApproved;
    if (code == QLatin1String("01"))
        return kRefer;
    if (code == QLatin1String("Z3"))
        return kNoAnswer;
    return kDeclined;
}

// Currency codes compared as numbers ("032" is "32").
bool sameCurrency(const QString& a, const QString& b) {
    bool okA = false;
    bool okB = false;
    const int x = a.trimmed().toInt(&okA);
    const int y = b.trimmed().toInt(&okB);
    return okA && okB && x == y;
}

// What a transaction result other than approval leaves in the sale, and the error shown: as
// is, or the ("Device", key) text.
struct ResultOutcome {
    int result;
    const char* annulmentReason;
    const char* fallbackCondition;
    const char* error;
    bool deviceText;
};

constexpr ResultOutcome kResultOutcomes[] = {
    {1, "POST_AUTH_USER_DECLINE", nullptr, "MESSAGE_CHIP_ERROR_NO_FALLBACK", true},
    {2, nullptr, nullptr, "Declined", false},
    {3, "POST_AUTH_USER_DECLINE", nullptr, nullptr, false}, // back to the sale, no error
    {4, nullptr, nullptr, "Fail (CAPK fail)", false},
    {5, nullptr, nullptr, "Fail (Not ICC card)", false},
    {6, nullptr, "NO_CANDIDATE_LIST", "MESSAGE_CHIP_ERROR_NO_FALLBACK", true},
    {7, "DEVICE_UNAVAILABLE", nullptr, "Pos Error", false},
    {8, nullptr, nullptr, "Card not support", false},
    {9, nullptr, nullptr, "Missing mandatory data", false},
    {10, nullptr, nullptr, "Card blocked or no EMV apps", false},
    {11, nullptr, nullptr, "Invalid ICC data", false},
    {12, nullptr, "ICC_TERMINAL_ERROR", "MESSAGE_CHIP_ERROR_NO_FALLBACK", true},
};

const ResultOutcome* outcomeOf(int result) {
    for (const ResultOutcome& outcome : kResultOutcomes)
        if (outcome.result == result)
            return &outcome;
    return nullptr;
}

} // namespace

// ---------------------------------------------------------------- helpers

void DSpreadViewController::setRetryOnDenied(bool retry) {
    gRetryOnDenied = retry;
}

bool DSpreadViewController::retryOnDenied() {
    return gRetryOnDenied;
}

std::shared_ptr<CreditCard> DSpreadViewController::replaceCard() {
    const auto s = sale();
    if (!s)
        return nullptr;
    const int installments = s->creditCard() ? s->creditCard()->installments() : 1;
    auto card = std::make_shared<CreditCard>();
    card->setInstallments(installments);
    s->setCreditCard(card);
    return card;
}

void DSpreadViewController::beginAttempt(int entry) {
    settleAttempt();
    const auto s = sale();
    attempt_ = std::make_shared<CardAttempt>(CardAttempt::Entry(entry), s ? s->trxType() : 0,
                                             CardAttempt::Credentials::ofSession());
    approved_ = false;
}

void DSpreadViewController::settleAttempt() {
    if (attempt_ && attempt_->owesReport())
        attempt_->report(false);
}

QString DSpreadViewController::cardEntryType() const {
    const auto s = sale();
    return s && s->creditCard() ? s->creditCard()->transactionType() : QString();
}

void DSpreadViewController::sendToReader(const QString& tlv) {
    log(QStringLiteral("[DSPREAD] sendOnlineProcessResult %1")
            .arg(EmvData::tagSummary(EmvData::decode(tlv))));
    if (pos_)
        pos_->sendOnlineProcessResult(tlv);
}

void DSpreadViewController::presentAlert(ViewController* alert) {
    auto* host = delegate();
    ViewController* screen = host ? host->hostViewController() : nullptr;
    if (screen)
        screen->presentViewController(alert, true);
    // A screenless host shows nothing: the alert is dropped.
    if (!alert->presentingViewController() && !alert->parent())
        alert->deleteLater();
}

void DSpreadViewController::showPlainAlert(const QString& message) {
    auto* alert = SystemAlert::alertControllerWithTitle(QString(), message);
    alert->setObjectName(QStringLiteral("readerAlert"));
    alert->addAction(QStringLiteral("OK"), SystemAlertAction::Cancel);
    presentAlert(alert);
}

namespace {
void setRightButtonEnabled(DSpreadViewControllerDelegate* host, bool enabled) {
    ViewController* screen = host ? host->hostViewController() : nullptr;
    if (!screen)
        return;
    QList<BarButtonItem> items = screen->navigationItem()->rightBarButtonItems();
    if (items.isEmpty())
        return;
    items[0].enabled = enabled;
    screen->navigationItem()->setRightBarButtonItems(items);
}
} // namespace

void DSpreadViewController::closeProcessingOverlay(std::function<void()> then) {
    auto* host = delegate();
    if (!host) {
        then();
        return;
    }
    QPointer<DSpreadViewController> self(this);
    host->cancelProcessing([self, then] {
        if (self)
            then();
    });
}

// ---------------------------------------------------------------- card read results

void DSpreadViewController::onDoTradeResult(int result, const QVariantMap& decodeData) {
    log(QStringLiteral("[DSPREAD] onDoTradeResult?>> result %1").arg(result));
    aborting_ = false;
    if (!switchingToDevice_.isEmpty())
        return;
    auto* host = delegate();
    switch (result) {
    case 0:
    case 3: {
        if (demoPresentation_) {
            changeUserMessage(
                text(QStringLiteral("readerDemo"), QStringLiteral("readerDemoReadingError")));
        } else {
            swipeRetries_ = qint32(quint32(swipeRetries_) - 1u);
            if (swipeRetries_ != 0) {
                changeUserMessage(
                    text(QStringLiteral("Device"), QStringLiteral("MESSAGE_SWIPE_ERROR")));
            } else {
                auto* alert = AlertController::alertControllerWithTitle(
                    text(QStringLiteral("ReadCard"), QStringLiteral("swipePopupTitle")), QString());
                const QString first =
                    text(QStringLiteral("ReadCard"), QStringLiteral("swipePopupMessage1"));
                const QString second =
                    text(QStringLiteral("ReadCard"), QStringLiteral("swipePopupMessage2"));
                const QImage swipe = device() ? device()->swipeIcon() : QImage();
                alert->addDetailWithConfigurationHandler([first](QLabel* label, QLabel* image) {
                    label->setText(first);
                    image->setPixmap(QPixmap::fromImage(Bundle::load("brokenCard40.png")));
                });
                alert->addDetailWithConfigurationHandler(
                    [second, swipe](QLabel* label, QLabel* image) {
                        label->setText(second);
                        image->setPixmap(QPixmap::fromImage(swipe));
                    });
                alert->addAction(AlertAction::actionWithTitle(
                    text(QStringLiteral("ReadCard"), QStringLiteral("swipePopupOK")), 0));
                presentAlert(alert);
            }
        }
        if (pos_)
            pos_->resetAsync();
        break;
    }
    case 4:
        changeUserMessage(text(QStringLiteral("Device"), QStringLiteral("MESSAGE_WAIT_DSPREAD")));
        if (pos_)
            pos_->resetAsync();
        startDSpreadTrade();
        break;
    case 2: {
        if (gettingICCCardNumber_ == 1) {
            gettingICCCardNumber_ = 2;
            asyncReseting_ = true;
            if (pos_)
                pos_->resetAsync();
            break;
        }
        gettingICCCardNumber_ = 0;
        setRightButtonEnabled(host, false);
        const auto card = replaceCard();
        if (auto* d = device())
            d->cardPresented(true);
        if (host)
            host->processingCard();
        if (card)
            card->setTransactionType(kChip);
        beginAttempt(int(CardAttempt::Entry::Chip));
        if (pos_)
            pos_->startEmv(0);
        break;
    }
    case 5:
    case 9: {
        auto* alert = SystemAlert::alertControllerWithTitle(
            QString(),
            text(QStringLiteral("Device"), QStringLiteral("MESSAGE_CHIP_ERROR_NO_FALLBACK")));
        alert->setObjectName(QStringLiteral("readerAlert"));
        QPointer<DSpreadViewController> self(this);
        alert->addAction(QStringLiteral("OK"), SystemAlertAction::Cancel, [self](auto*) {
            if (!self)
                return;
            if (auto* h = self->delegate())
                h->setIsProcessingCard(false);
            self->closeProcessingOverlay([self] {
                if (self && self->pos_)
                    self->pos_->resetAsync();
            });
        });
        emvError_ = alert;
        presentAlert(alert);
        if (result == 9)
            retriesAbort();
        break;
    }
    case 1:
        magneticSwiped(decodeData);
        break;
    case 7:
    case 8:
        nfcTapped(decodeData);
        break;
    default:
        break;
    }
}

void DSpreadViewController::magneticSwiped(const QVariantMap& decodeData) {
    log(QStringLiteral("decodeData: %1").arg(EmvData::decodedDataSummary(decodeData)));
    const auto s = sale();
    if (!s)
        return;
    const QString serviceCode = decodeData.value(QStringLiteral("serviceCode")).toString();
    if (serviceCode.size() < 3) {
        invalidCardSwiped();
        return;
    }
    const QChar first = serviceCode.at(0);
    if ((first == QLatin1Char('2') || first == QLatin1Char('6')) && !s->isFallback() &&
        EMVEnabled_) {
        changeUserMessage(text(QStringLiteral("Device"), QStringLiteral("MESSAGE_CHIP_CARD")));
        startDSpreadTrade();
        return;
    }
    const QString number = decodeData.value(QStringLiteral("maskedPAN")).toString();
    if (number.size() <= 6) {
        changeUserMessage(
            demoPresentation_
                ? text(QStringLiteral("readerDemo"), QStringLiteral("readerDemoReadingError"))
                : text(QStringLiteral("Device"), QStringLiteral("MESSAGE_SWIPE_ERROR")));
        startDSpreadTrade();
        return;
    }
    if (!EmvData::binAccepted(number, s->acceptedBins())) {
        acceptedBinsFailed();
        return;
    }
    beginAttempt(int(CardAttempt::Entry::Swipe));
    const QString track = decodeData.value(QStringLiteral("encTrack1")).toString() +
                          QLatin1Char('=') +
                          decodeData.value(QStringLiteral("encTrack2")).toString();
    const QString ksn = decodeData.value(QStringLiteral("trackksn")).toString();
    const auto card = replaceCard();
    if (auto* host = delegate())
        host->setCurrentCreditCard(std::make_shared<CreditCard>());
    card->setCvv2(QString());
    card->setIdNumber(QString());
    card->setNumber(number);
    card->setNumberLast4(number.right(4));
    card->setName(decodeData.value(QStringLiteral("cardholderName")).toString());
    card->setTrack2Encrypted(track);
    card->setTrack2KSN(ksn);
    card->setServiceCode(serviceCode);
    card->setExpiration(decodeData.value(QStringLiteral("expiryDate")).toString());
    s->setPaidWithCreditCard(true);

    const int third = serviceCode.at(2).isDigit() ? serviceCode.at(2).digitValue() : 0;
    const bool askPin = (third == 0 || third == 5 || third == 6 || third == 7) && s->trxType() != 1;
    if (!askPin || !hasPinpad_ || !pos_) {
        finishMagneticPayment();
        return;
    }
    QPointer<DSpreadViewController> self(this);
    pos_->getPin(
        1, 0, 6, QStringLiteral("INGRESE PIN"), number, QString(), kPinTimeoutSeconds,
        [self](bool taken, const QVariantMap& result) {
            if (!self)
                return;
            self->log(QStringLiteral("[DSPREAD] getPinCallback (%1): pin block of %2 "
                                     "characters")
                          .arg(int(taken))
                          .arg(result.value(QStringLiteral("pin")).toString().size()));
            if (!taken) {
                self->cancelAndRetryTransaction();
                return;
            }
            if (const auto sale = self->sale(); sale && sale->creditCard()) {
                sale->creditCard()->setPinBlock(result.value(QStringLiteral("pin")).toString());
                sale->creditCard()->setPinKSN(result.value(QStringLiteral("ksn")).toString());
            }
            self->finishMagneticPayment();
        });
}

void DSpreadViewController::invalidCardSwiped() {
    changeUserMessage(text(QStringLiteral("Device"), QStringLiteral("MESSAGE_CARD_NOT_ACCEPTED")));
    performAfterDelay(DelayedCall::StartDSpreadTrade, kInvalidCardRestartMs);
}

void DSpreadViewController::finishMagneticPayment() {
    auto* host = delegate();
    const auto s = sale();
    if (!host || !s || !s->creditCard())
        return;
    s->payWithCreditCard(*s->creditCard());
    host->processingCard();
    host->savePayment();
}

void DSpreadViewController::onReturnGetPinResult(const QVariantMap& result) {
    log(QStringLiteral("[DSPREAD] onReturnGetPinResult %1")
            .arg(EmvData::decodedDataSummary(result)));
    if (const auto s = sale(); s && s->creditCard()) {
        s->creditCard()->setPinBlock(result.value(QStringLiteral("pinBlock")).toString());
        s->creditCard()->setPinKSN(result.value(QStringLiteral("pinKsn")).toString());
    }
    finishMagneticPayment();
}

// ---------------------------------------------------------------- reader prompts

void DSpreadViewController::onRequestSetAmount() {
    log(QStringLiteral("[DSPREAD] onRequestSetAmount"));
    if (!pos_)
        return;
    if (demoPresentation_) {
        pos_->setAmount(QStringLiteral("100"), QStringLiteral("1.00"), QStringLiteral("032"), 8);
        return;
    }
    const auto s = sale();
    if (!s)
        return;
    const int type = s->trxType() == 1 || s->trxType() == 2 ? 17 : 0;
    QString symbol = QStringLiteral("$");
    for (const QVariant& entry : settings_.currencies()) {
        const QVariantMap currency = entry.toMap();
        if (sameCurrency(currency.value(QStringLiteral("code")).toString(), s->currencyCode()))
            symbol = currency.value(QStringLiteral("symbol")).toString();
    }
    pos_->setAmountIcon(symbol);
    const double total = s->total() ? s->total()->doubleValue() : 0.0;
    pos_->setAmount(QString::number(qint64(std::llround(total * 100.0))),
                    QString::asprintf("%.2f", total), s->currencyCode(), type);
}

void DSpreadViewController::onRequestSelectEmvApp(const QStringList& applications) {
    log(QStringLiteral("[DSPREAD] onRequestSelectEmvApp %1").arg(applications.join(", ")));
    if (!pos_)
        return;
    if (applications.isEmpty()) {
        changeUserMessage(text(QStringLiteral("Device"), QStringLiteral("MESSAGE_SWIPE_ERROR")));
        pos_->resetAsync();
        return;
    }
    if (applications.size() == 1) {
        pos_->selectEmvApplication(0);
        return;
    }
    auto* alert = SystemAlert::alertControllerWithTitle(
        text(QStringLiteral("Device"), QStringLiteral("selectApplication")),
        text(QStringLiteral("Device"), QStringLiteral("selectApplicationMessage")));
    alert->setObjectName(QStringLiteral("selectApplication"));
    QPointer<DSpreadViewController> self(this);
    for (int i = 0; i < applications.size(); ++i)
        alert->addAction(applications.at(i), SystemAlertAction::Default, [self, i](auto*) {
            if (self && self->pos_)
                self->pos_->selectEmvApplication(i);
        });
    emvSelectApp_ = alert;
    presentAlert(alert);
}

void DSpreadViewController::onRequestFinalConfirm() {
    log(QStringLiteral("[DSPREAD] onRequestFinalConfirm"));
    if (pos_)
        pos_->finalConfirm(true);
}

void DSpreadViewController::onRequestTime() {
    log(QStringLiteral("[DSPREAD] onRequestTime"));
    if (pos_)
        pos_->sendTime(
            QLocale::c().toString(QDateTime::currentDateTime(), QStringLiteral("yyyyMMddHHmmss")));
}

void DSpreadViewController::onRequestIsServerConnected() {
    log(QStringLiteral("[DSPREAD] onRequestIsServerConnected"));
    if (pos_)
        pos_->setServerConnected(true);
}

void DSpreadViewController::onRequestPinEntry() {
    log(QStringLiteral("[DSPREAD] onRequestPinEntry"));
}

void DSpreadViewController::onRequestDisplay(int message) {
    log(QStringLiteral("[DSPREAD] onRequestDisplay"));
    if (message == 3)
        message = 1;
    static const QHash<int, QString> keys{
        {0, QStringLiteral("TRY_ANOTHER_INTERFACE")},
        {1, QStringLiteral("PLEASE_WAIT")},
        {2, QStringLiteral("REMOVE_CARD")},
        {6, QStringLiteral("PIN_OK")},
        {7, QStringLiteral("INPUT_PIN_ING")},
        {8, QStringLiteral("MAG_TO_ICC_TRADE")},
        {9, QStringLiteral("INPUT_OFFLINE_PIN_ONLY")},
        {10, QStringLiteral("CARD_REMOVED")},
    };
    auto* host = delegate();
    if (message == 7 && host && host->isProcessingCard())
        host->enteringPin();
    const auto it = keys.constFind(message);
    if (it != keys.constEnd())
        changeUserMessage(text(QStringLiteral("DSPREAD"), *it));
}

void DSpreadViewController::enterTip() {
    if (!pos_)
        return;
    QPointer<DSpreadViewController> self(this);
    pos_->inputAmount(
        QStringLiteral("$"), 6, QStringLiteral("INGRESE PROPINA"), kTipTimeoutSeconds,
        [self](bool entered, const QString& amount) {
            auto* host = self ? self->delegate() : nullptr;
            if (!host)
                return;
            const float tip = amount.toFloat() / 100.0f;
            host->processingTipWithBlock(tip, [self, entered, amount](bool allowed) {
                auto* h = self ? self->delegate() : nullptr;
                const auto s = self ? self->sale() : nullptr;
                if (!h || !s)
                    return;
                if (allowed) {
                    s->setTipAmount(entered ? Amount::initWithDouble(amount.toDouble() / 100.0)
                                            : nullptr);
                    self->askedForTip_ = true;
                    h->updateTotal();
                    h->cancelProcessing([self] {
                        if (self)
                            self->startDSpreadTrade();
                    });
                    return;
                }
                self->askedForTip_ = false;
                const double total = s->total() ? s->total()->doubleValue() : 0.0;
                const QString largest =
                    Amount::initWithDouble(total * s->maxTipAllowed())->getAmount();
                h->cancelProcessing([self, largest] {
                    if (!self)
                        return;
                    auto* alert = SystemAlert::alertControllerWithTitle(
                        QString(),
                        QStringLiteral("El máximo de propina permitido es %1").arg(largest));
                    alert->setObjectName(QStringLiteral("readerAlert"));
                    alert->addAction(QStringLiteral("OK"), SystemAlertAction::Default,
                                     [self](auto*) {
                                         if (self)
                                             self->startDSpreadTrade();
                                     });
                    self->presentAlert(alert);
                });
            });
        });
}

// ---------------------------------------------------------------- transaction result

void DSpreadViewController::onRequestTransactionResult(int result) {
    log(QStringLiteral("[DSPREAD] onRequestTransactionResult %1").arg(result));
    if (aborting_) {
        endAborted();
        return;
    }
    if (result == 0) {
        log(QStringLiteral("[DSPREAD] APPROVED"));
        return;
    }
    const auto s = sale();
    auto* host = delegate();
    QString error;
    if (result == 13) {
        error = QStringLiteral("NFC Terminated");
        if (!host || !host->isProcessingCard()) {
            auto* alert = SystemAlert::alertControllerWithTitle(
                QString(),
                text(QStringLiteral("Device"), QStringLiteral("MESSAGE_CHIP_TRANSACTION_ABORTED")));
            alert->setObjectName(QStringLiteral("readerAlert"));
            alert->addAction(QStringLiteral("OK"), SystemAlertAction::Cancel);
            presentAlert(alert);
            startDSpreadTrade();
            return;
        }
    } else if (const ResultOutcome* outcome = outcomeOf(result)) {
        if (s && outcome->annulmentReason)
            s->setAnnulmentReason(QString::fromLatin1(outcome->annulmentReason));
        if (s && outcome->fallbackCondition)
            s->setFallbackContidition(QString::fromLatin1(outcome->fallbackCondition));
        if (outcome->error)
            error = outcome->deviceText
                        ? text(QStringLiteral("Device"), QString::fromLatin1(outcome->error))
                        : QString::fromLatin1(outcome->error);
        if (result == 3 && host)
            host->backToSale();
    }
    if (s)
        s->setIsFallback(false);
    if (!host || !host->isProcessingCard() || error.isEmpty())
        return;
    if (cardEntryType() == kChip)
        emvErrorMessage(error);
    else
        nfcErrorMessage(error);
    if (cardRetries_ == 0 || retriesAbort())
        return;
    performAfterDelay(DelayedCall::WaitUntilCardIsRemoved, kRemovalWaitMs);
}

void DSpreadViewController::cancelAndRetryTransaction() {
    auto* host = delegate();
    if (host)
        host->setIsProcessingCard(false);
    closeProcessingOverlay([this] {
        if (pos_)
            pos_->resetAsync();
    });
}

void DSpreadViewController::completeTransaction() {
    const QString type = cardEntryType();
    if (type == kChip) {
        sendEMVSale();
    } else if (type == kContactless) {
        sendNFCSale();
    } else if (auto* host = delegate()) {
        host->savePayment();
    }
}

void DSpreadViewController::restartTransaction() {
    if (cardEntryType() == kChip) {
        sendToReader(kWrongPin);
        emvErrorMessage(
            text(QStringLiteral("Device"), QStringLiteral("MESSAGE_CHIP_TRANSACTION_ABORTED")),
            false);
        if (cardRetries_ != 0)
            waitUntilCardIsRemoved();
        return;
    }
    if (pos_)
        pos_->resetAsync();
}

// ---------------------------------------------------------------- contactless read

void DSpreadViewController::nfcTapped(const QVariantMap& decodeData) {
    log(QStringLiteral("[DSPREAD] nfcTapped %1").arg(EmvData::decodedDataSummary(decodeData)));
    auto* host = delegate();
    setRightButtonEnabled(host, false);
    if (nfcController_)
        nfcController_->dismissViewControllerAnimated(true);
    nfcController_ = nullptr;
    const auto card = replaceCard();
    if (auto* d = device())
        d->cardPresented(true);
    if (host)
        host->processingCard();
    beginAttempt(int(CardAttempt::Entry::Contactless));
    if (!card || !pos_)
        return;

    // The reader answers these at once: read on the main thread, sent on a worker.
    const QString pinKsn = decodeData.value(QStringLiteral("pinKsn")).toString();
    const QString pinBlock = decodeData.value(QStringLiteral("pinblock")).toString();
    const QVariantMap batch = pos_->nfcBatchData();
    const auto batchTags = EmvData::decode(batch.value(QStringLiteral("tlv")).toString());
    log(QStringLiteral("[DSPREAD] NFC batch data %1").arg(EmvData::tagSummary(batchTags)));
    const QVariantMap answer = pos_->iccTags(1, 6, QStringLiteral("4F849F12505F209F34"));
    const auto tags = EmvData::decode(answer.value(QStringLiteral("tlv")).toString());
    if (pinBlock.isEmpty()) {
        const auto cvm = TLV::findLastTag(0x9F34, tags);
        log(QStringLiteral("[DSPREAD] No pinblock. Checking tag 0x9f34: %1")
                .arg(cvm && cvm->data() ? Util::byteArray2Hex(*cvm->data()) : QString()));
        if (EmvData::offlinePinVerified(cvm ? cvm->data() : std::optional<QByteArray>())) {
            card->setOfflinePinInserted(true);
            log(QStringLiteral("[DSPREAD] Offline pin detected"));
        }
    }
    QString aid = EmvData::hexOf(0x4F, tags);
    if (aid.isEmpty())
        aid = EmvData::hexOf(0x84, tags);
    const QString label = EmvData::textOf(0x50, tags);
    const QString number = decodeData.value(QStringLiteral("maskedPAN")).toString();
    card->setTrack2Encrypted(EmvData::hexOf(0xC2, batchTags));
    card->setExpiration(decodeData.value(QStringLiteral("expiryDate")).toString());
    card->setName(EmvData::textOf(0x5F20, tags));
    card->setNumber(number);
    card->setTrack2KSN(EmvData::hexOf(0xC0, batchTags));
    card->setEmvTags(QByteArrayLiteral("{}"));
    if (const auto s = sale())
        s->setPaidWithCreditCard(true);
    card->setTransactionType(kContactless);
    card->setEmvApp(
        EmvData::jsonOf({{QStringLiteral("label"), label}, {QStringLiteral("aid"), aid}}));
    if (!pinBlock.isEmpty()) {
        card->setPinBlock(pinBlock);
        card->setPinKSN(pinKsn);
    }
    const auto s = sale();
    if (s && !EmvData::binAccepted(number, s->acceptedBins())) {
        refuseCardOutsideBins(false);
        return;
    }
    preparedNFCSale();
}

bool DSpreadViewController::isDebitCard(const QString& label, const QString& aid,
                                        const QString& pan) {
    (void)aid;
    (void)pan;
    return EmvData::isDebitLabel(label);
}

// ---------------------------------------------------------------- online request

void DSpreadViewController::onRequestOnlineProcess(const QString& tlv) {
    const auto tags = EmvData::decode(tlv);
    log(QStringLiteral("[DSPREAD] onRequestOnlineProcess = %1").arg(EmvData::tagSummary(tags)));
    const auto s = sale();
    if (!s)
        return;
    if (!attempt_ || attempt_->entry() != CardAttempt::Entry::Chip || attempt_->acceptedId())
        beginAttempt(int(CardAttempt::Entry::Chip));
    auto card = s->creditCard();
    if (!card)
        card = replaceCard();

    const QString number = EmvData::maskedNumberFromC4(EmvData::hexOf(0xC4, tags));
    const QString ksn = EmvData::hexOf(0xC0, tags);
    const QString encrypted = EmvData::hexOf(0xC2, tags);
    const QString pinKsn = EmvData::hexOf(0xC1, tags);
    const QString pinBlock = EmvData::hexOf(0xC7, tags);
    if (pinBlock.isEmpty()) {
        const auto cvm = TLV::findLastTag(0x9F34, tags);
        log(QStringLiteral("[DSPREAD] No pinblock. Checking tag 0x9f34: %1")
                .arg(cvm && cvm->data() ? Util::byteArray2Hex(*cvm->data()) : QString()));
        if (EmvData::offlinePinVerified(cvm ? cvm->data() : std::optional<QByteArray>())) {
            card->setOfflinePinInserted(true);
            log(QStringLiteral("[DSPREAD] Offline pin detected"));
        }
    }
    const std::optional<QString> expiry =
        CreditCard::encryptString(EmvData::hexOf(0x5F24, tags), User::instance().token());
    const QString name = EmvData::textOf(0x5F20, tags);
    const QString serviceCode = EmvData::hexOf(0x5F30, tags);
    const QByteArray application =
        EmvData::jsonOf({{QStringLiteral("label"), EmvData::textOf(0x9F12, tags)},
                         {QStringLiteral("aid"), EmvData::hexOf(0x4F, tags)}});
    QVariantMap emvTags;
    if (pos_)
        emvTags = EmvData::tagDictionary(pos_->iccTags(0, 4, QStringLiteral("9F269F064FDF21")));
    log(QStringLiteral("[DSPREAD] card tags %1").arg(QStringList(emvTags.keys()).join(' ')));

    card->setEmvTags(EmvData::jsonOf(emvTags));
    card->setTrack2Encrypted(encrypted);
    card->setExpiration(expiry.value_or(QString()));
    card->setName(name);
    card->setNumber(number);
    card->setTrack2KSN(ksn);
    card->setServiceCode(serviceCode);
    s->setPaidWithCreditCard(true);
    card->setTransactionType(kChip);
    card->setEmvApp(application);
    if (!pinBlock.isEmpty()) {
        card->setPinBlock(pinBlock);
        card->setPinKSN(pinKsn);
    }

    if (!expiry) {
        // Nothing is sent without the encrypted expiry.
        Logging::warning(tarvelloReader,
                         QStringLiteral("[DSPREAD] expiry not encrypted: nothing sent"));
        sendToReader(kNoAnswer);
        chipRefusal(
            text(QStringLiteral("Device"), QStringLiteral("MESSAGE_CHIP_TRANSACTION_ABORTED")));
        return;
    }
    if (!EmvData::binAccepted(number, s->acceptedBins())) {
        refuseCardOutsideBins(true);
        return;
    }
    sendEMVSale();
}

// ---------------------------------------------------------------- submission

void DSpreadViewController::sendEMVSale() {
    processEMVSale();
}

void DSpreadViewController::processEMVSale() {
    submit(true);
}

void DSpreadViewController::preparedNFCSale() {
    sendNFCSale();
}

void DSpreadViewController::sendNFCSale() {
    processNFCSale();
}

void DSpreadViewController::processNFCSale() {
    submit(false);
}

void DSpreadViewController::submit(bool chip) {
    const auto s = sale();
    if (!s)
        return;
    if (!attempt_)
        beginAttempt(int(chip ? CardAttempt::Entry::Chip : CardAttempt::Entry::Contactless));
    // A snapshot taken here: the worker never reads the live sale.
    const SalePtr snapshot = s->copy();
    const User& user = User::instance();
    const QString userId = user.userId();
    const QString token = user.token();
    const std::optional<QString> apiKey = HostCredentials::apiKey();
    const int trxType = snapshot->trxType();
    log(QStringLiteral("[DSPREAD] submitting the %1 %2")
            .arg(chip ? QStringLiteral("chip") : QStringLiteral("contactless"))
            .arg(trxType == 2   ? QStringLiteral("refund")
                 : trxType == 1 ? QStringLiteral("void")
                                : QStringLiteral("sale")));
    std::shared_ptr<CardAttempt> attempt = attempt_;
    QPointer<DSpreadViewController> self(this);
    Worker::run(
        [snapshot, userId, token, apiKey, trxType]() {
            APIController client;
            client.setApiKey(apiKey);
            if (trxType == 2)
                return client.makeRefundForSale(*snapshot, userId, token);
            if (trxType == 1)
                return client.makeAnnulationForSale(*snapshot, userId, token);
            return client.registerSale(*snapshot, userId, token);
        },
        [self, attempt, chip](const std::optional<QByteArray>& reply) {
            if (self && self->attempt_ == attempt) {
                if (chip)
                    self->handleEMVAnswer(reply, attempt);
                else
                    self->handleNFCAnswer(reply, attempt);
                return;
            }
            // The session is gone or read another card: an accepted answer still gets its one
            // final status.
            const QVariantMap answer = reply ? answerOf(*reply) : QVariantMap();
            if (isAccepted(answer)) {
                attempt->accept(CardAttempt::idOfAnswer(answer));
                attempt->report(false);
            }
        });
}

void DSpreadViewController::applyAcceptedAnswer(const QVariantMap& answer) {
    const auto s = sale();
    auto* host = delegate();
    if (!s)
        return;
    if (const auto id = CardAttempt::idOfAnswer(answer))
        s->setSaleId(QString::number(*id));
    if (has(answer, QStringLiteral("trxId")))
        s->setTrxId(stringOf(answer, QStringLiteral("trxId")));
    if (has(answer, QStringLiteral("referenceNumber")))
        s->setReferenceNumber(stringOf(answer, QStringLiteral("referenceNumber")));
    if (host && has(answer, QStringLiteral("buyer")))
        host->setBuyerDic(answer.value(QStringLiteral("buyer")).toMap());
    if (host && has(answer, QStringLiteral("potentialBuyers")))
        host->setPotentialBuyers(answer.value(QStringLiteral("potentialBuyers")).toList());
    if (has(answer, QStringLiteral("authenticationType")))
        s->setAuthenticationType(stringOf(answer, QStringLiteral("authenticationType")));
    s->setJson(answer);
    if (const auto card = s->creditCard()) {
        if (has(answer, QStringLiteral("payment"))) {
            const QVariantMap payment = answer.value(QStringLiteral("payment")).toMap();
            if (has(payment, QStringLiteral("cardHolderName")))
                card->setName(stringOf(payment, QStringLiteral("cardHolderName")));
            if (has(payment, QStringLiteral("cardNumber")))
                card->setNumber(stringOf(payment, QStringLiteral("cardNumber")));
            if (has(payment, QStringLiteral("last4Numbers")))
                card->setNumberLast4(stringOf(payment, QStringLiteral("last4Numbers")));
            if (has(payment, QStringLiteral("issuerImageUrl")))
                card->setBankImageURL(stringOf(payment, QStringLiteral("issuerImageUrl")));
        } else {
            if (has(answer, QStringLiteral("cardHolderName")))
                card->setName(stringOf(answer, QStringLiteral("cardHolderName")));
            if (has(answer, QStringLiteral("pan"))) {
                const QString pan = stringOf(answer, QStringLiteral("pan"));
                card->setNumber(pan);
                card->setNumberLast4(pan.right(4));
            }
            if (has(answer, QStringLiteral("issuerImageUrl")))
                card->setBankImageURL(stringOf(answer, QStringLiteral("issuerImageUrl")));
        }
    }
    // Both roads keep the host's "sdk": the approved attempt's.
    if (has(answer, QStringLiteral("sdk")))
        s->setCustomResponse(answer.value(QStringLiteral("sdk")).toMap());
}

void DSpreadViewController::handleEMVAnswer(const std::optional<QByteArray>& reply,
                                            std::shared_ptr<CardAttempt> a) {
    const QString aborted =
        text(QStringLiteral("Device"), QStringLiteral("MESSAGE_CHIP_TRANSACTION_ABORTED"));
    if (!reply) {
        log(QStringLiteral("[DSPREAD] no answer to the chip submission"));
        sendToReader(kNoAnswer);
        chipRefusal(aborted);
        return;
    }
    const QVariantMap answer = answerOf(*reply);
    const auto s = sale();
    if (!isAccepted(answer)) {
        const auto code = refusalCode(answer);
        log(QStringLiteral("[DSPREAD] chip submission refused, code %1")
                .arg(code ? QString::number(*code) : QStringLiteral("none")));
        if (code == 55) {
            if (s && s->creditCard()) {
                s->creditCard()->setPinBlock(std::nullopt);
                s->creditCard()->setPinKSN(std::nullopt);
            }
            sendToReader(kWrongPin);
            chipRefusal(text(QStringLiteral("Device"), QStringLiteral("wrongPin")));
            return;
        }
        if (code == 723) {
            askToForce(refusalText(answer, QStringLiteral("message")));
            return;
        }
        const QString customCode = refusalText(answer, QStringLiteral("customCode"));
        QString authCode = QStringLiteral("05");
        if (customCode == QLatin1String("01"))
            authCode = QStringLiteral("01");
        else if (customCode == QLatin1String("Z3") || customCode == QLatin1String("91") ||
                 customCode == QLatin1String("97"))
            authCode = QStringLiteral("Z3");
        const QString issuer = issuerDataOf(answer);
        sendToReader(issuer.isEmpty() ? fixedResponse(authCode)
                                      : arrangeOnlineProcessResultTLV(issuer, authCode, true));
        QString message = refusalText(answer, QStringLiteral("message"));
        if (message.isEmpty())
            message =
                text(QStringLiteral("Device"), QStringLiteral("MESSAGE_CHIP_TRANSACTION_DECLINED"));
        chipRefusal(message);
        return;
    }
    const auto id = CardAttempt::idOfAnswer(answer);
    const int trxType = a->trxType();
    if (!id && trxType != 1) {
        // Its completion could not be reported: no approval goes to the card.
        Logging::warning(tarvelloReader,
                         QStringLiteral("[DSPREAD] accepted answer without id: aborted"));
        sendToReader(kNoAnswer);
        chipRefusal(aborted);
        return;
    }
    a->accept(id);
    applyAcceptedAnswer(answer);
    if (s)
        s->sold();
    const QString issuer = issuerDataOf(answer);
    if (!pos_) {
        // The reader session ended meanwhile: no batch data will come.
        settleAttempt();
        return;
    }
    sendToReader(issuer.isEmpty() ? kApproved
                                  : arrangeOnlineProcessResultTLV(issuer, QStringLiteral("00")));
    if (trxType == 1) {
        approved_ = true;
        pos_->setListener(nullptr);
        if (auto* host = delegate())
            host->paymentApproved();
    }
}

QString DSpreadViewController::arrangeOnlineProcessResultTLV(const QString& issuerData,
                                                             const QString& authCode,
                                                             bool refusal) {
    const QString result = EmvData::authorisationResponse(issuerData, authCode, refusal);
    Logging::info(tarvelloReader, QStringLiteral("OnlineProcessResult FORMATTED: %1")
                                      .arg(EmvData::tagSummary(EmvData::decode(result))));
    return result;
}

void DSpreadViewController::handleNFCAnswer(const std::optional<QByteArray>& reply,
                                            std::shared_ptr<CardAttempt> a) {
    const QString aborted =
        text(QStringLiteral("Device"), QStringLiteral("MESSAGE_CHIP_TRANSACTION_ABORTED"));
    if (!reply) {
        nfcErrorMessage(aborted);
        return;
    }
    const QVariantMap answer = answerOf(*reply);
    const auto s = sale();
    if (!isAccepted(answer)) {
        const auto code = refusalCode(answer);
        if (code == 55) {
            if (s && s->creditCard()) {
                s->creditCard()->setPinBlock(std::nullopt);
                s->creditCard()->setPinKSN(std::nullopt);
            }
            nfcErrorMessage(text(QStringLiteral("Device"), QStringLiteral("wrongPin")));
            return;
        }
        if (code == 723) {
            askToForce(refusalText(answer, QStringLiteral("message")));
            return;
        }
        QString message = refusalText(answer, QStringLiteral("message"));
        if (message.isEmpty())
            message =
                text(QStringLiteral("Device"), QStringLiteral("MESSAGE_CHIP_TRANSACTION_DECLINED"));
        nfcErrorMessage(message);
        return;
    }
    const auto id = CardAttempt::idOfAnswer(answer);
    if (!id && a->trxType() == 0) {
        Logging::warning(tarvelloReader,
                         QStringLiteral("[DSPREAD] accepted answer without id: aborted"));
        nfcErrorMessage(aborted);
        return;
    }
    a->accept(id);
    applyAcceptedAnswer(answer);
    if (a->trxType() == 0) {
        QPointer<DSpreadViewController> self(this);
        a->report(
            true, std::nullopt,
            [self](const std::optional<QByteArray>& statusReply) {
                if (self)
                    self->handleNFCStatusReply(statusReply);
            },
            this);
        return;
    }
    approved_ = true;
    if (s)
        s->sold();
    if (auto* host = delegate())
        host->paymentApproved();
}

void DSpreadViewController::handleNFCStatusReply(const std::optional<QByteArray>& reply) {
    auto* host = delegate();
    if (!host)
        return;
    const std::optional<QVariantMap> answer =
        reply ? std::optional<QVariantMap>(answerOf(*reply)) : std::nullopt;
    if (APIControllerDelegate* screen = host->operationStatusDelegate()) {
        if (!reply) {
            screen->apiDidFailWithError(TarvelloError::sdk(0, text(QStringLiteral("GlobalTexts"),
                                                                   QStringLiteral("connError"))),
                                        59);
            return;
        }
        screen->apiDidFinishDownloadingWithDictionary(59, answer);
        return;
    }
    if (answer && isAccepted(*answer)) {
        approved_ = true;
        if (const auto s = sale())
            s->sold();
        host->paymentApproved();
        return;
    }
    QString message = answer ? refusalText(*answer, QStringLiteral("message")) : QString();
    if (message.isEmpty())
        message =
            text(QStringLiteral("Device"), QStringLiteral("MESSAGE_CHIP_TRANSACTION_ABORTED"));
    nfcErrorMessage(message);
}

void DSpreadViewController::askToForce(const QString& message) {
    auto* alert = SystemAlert::alertControllerWithTitle(QString(), message);
    alert->setObjectName(QStringLiteral("forceTransaction"));
    QPointer<DSpreadViewController> self(this);
    // Index 0 declines, index 1 forces.
    alert->addAction(text(QStringLiteral("GlobalTexts"), QStringLiteral("cancel")),
                     SystemAlertAction::Default, [self](auto*) {
                         if (!self)
                             return;
                         if (self->cardEntryType() == kChip) {
                             self->aborting_ = true;
                             self->abortEnded_ = false;
                             self->sendToReader(kWrongPin);
                             return;
                         }
                         self->abortEnded_ = false;
                         self->endAborted();
                     });
    alert->addAction(text(QStringLiteral("GlobalTexts"), QStringLiteral("forceTransaction")),
                     SystemAlertAction::Default, [self](auto*) {
                         if (!self)
                             return;
                         if (const auto s = self->sale())
                             s->setForce(true);
                         const QString type = self->cardEntryType();
                         if (type == kChip)
                             self->sendEMVSale();
                         else if (type == kContactless)
                             self->sendNFCSale();
                     });
    forceTransaction_ = alert;
    presentAlert(alert);
}

void DSpreadViewController::endAborted() {
    if (abortEnded_)
        return;
    abortEnded_ = true;
    log(QStringLiteral("[DSPREAD] forced transaction declined: leaving"));
    if (const auto s = sale())
        s->cleanSale();
    scheduleDismiss();
}

void DSpreadViewController::refuseCardOutsideBins(bool chip) {
    log(QStringLiteral("[DSPREAD] card outside the accepted BINs"));
    if (chip)
        sendToReader(kDeclined);
    if (auto* host = delegate())
        host->setIsProcessingCard(false);
    QPointer<DSpreadViewController> self(this);
    closeProcessingOverlay([self] {
        if (self)
            self->acceptedBinsFailed();
    });
}

// ---------------------------------------------------------------- status and endings

void DSpreadViewController::onRequestBatchData(const QString& tlv) {
    log(QStringLiteral("[DSPREAD] onBatchData %1").arg(EmvData::tagSummary(EmvData::decode(tlv))));
    if (!attempt_ || !attempt_->acceptedId()) {
        // Nothing accepted to complete: the card's approval is not the back end's.
        emvErrorMessage(
            text(QStringLiteral("Device"), QStringLiteral("MESSAGE_CHIP_TRANSACTION_DECLINED")));
        if (cardRetries_ != 0)
            waitUntilCardIsRemoved();
        return;
    }
    sendOperationStatus(true, tlv);
}

void DSpreadViewController::sendOperationStatus(bool completed, const QString& data) {
    (void)data;
    if (completed) {
        sendOperationStatusAuthorized();
        return;
    }
    settleAttempt();
    auto* host = delegate();
    if (host && host->isProcessingCard())
        emvErrorMessage(
            text(QStringLiteral("Device"), QStringLiteral("MESSAGE_CHIP_TRANSACTION_DECLINED")));
}

void DSpreadViewController::sendOperationStatusAuthorized() {
    if (!attempt_ || !attempt_->owesReport())
        return;
    const QVariantMap tags =
        pos_ ? EmvData::tagDictionary(pos_->iccTags(0, 2, QStringLiteral("9F269F06")))
             : QVariantMap();
    log(QStringLiteral("[DSPREAD] completed status with %1")
            .arg(QStringList(tags.keys()).join(' ')));
    QPointer<DSpreadViewController> self(this);
    attempt_->report(
        true, tags,
        [self](const std::optional<QByteArray>& reply) {
            if (!self)
                return;
            const QString aborted = self->text(QStringLiteral("Device"),
                                               QStringLiteral("MESSAGE_CHIP_TRANSACTION_ABORTED"));
            if (!reply) {
                self->chipRefusal(aborted);
                return;
            }
            const QVariantMap answer = answerOf(*reply);
            if (stringOf(answer, QStringLiteral("success")).toUpper() == QLatin1String("OK")) {
                self->approved_ = true;
                if (auto* host = self->delegate())
                    host->paymentApproved();
                return;
            }
            QString message = refusalText(answer, QStringLiteral("message"));
            self->chipRefusal(message.isEmpty() ? aborted : message);
        },
        this);
}

void DSpreadViewController::onEmvICCExceptionData(const QString& tlv) {
    log(QStringLiteral("[DSPREAD] onEmvICCExceptionData %1")
            .arg(EmvData::tagSummary(EmvData::decode(tlv))));
    if (gettingICCCardNumber_ == 2) {
        onRequestGetCardNoResult(QString());
        return;
    }
    if (aborting_) {
        endAborted();
        return;
    }
    sendOperationStatus(false, tlv);
    waitUntilCardIsRemoved();
}

void DSpreadViewController::onReturnReversalData(const QString& tlv) {
    log(QStringLiteral("[DSPREAD] onReversalData %1")
            .arg(EmvData::tagSummary(EmvData::decode(tlv))));
    if (aborting_) {
        endAborted();
        return;
    }
    sendOperationStatus(false, tlv);
    waitUntilCardIsRemoved();
}

void DSpreadViewController::emvErrorMessage(const QString& message, bool alertError) {
    log(QStringLiteral("[DSPREAD] emvErrorMessage %1").arg(message));
    if (alertError)
        showPlainAlert(message);
    auto* host = delegate();
    if (host)
        host->setIsProcessingCard(false);
    const auto s = sale();
    if (host && settings_.manualEntry() && s && s->manualEntry() &&
        host->swipeErrorCounter() >= settings_.maxSwipeErrors())
        setRightButtonEnabled(host, true);
    if (retriesAbort())
        return;
    QPointer<DSpreadViewController> self(this);
    closeProcessingOverlay([self] {
        if (!self)
            return;
        setRightButtonEnabled(self->delegate(), true);
        self->changeUserMessage(
            self->text(QStringLiteral("Device"), QStringLiteral("MESSAGE_REMOVE_CHIP_CARD")));
    });
}

void DSpreadViewController::chipRefusal(const QString& message) {
    emvErrorMessage(message);
    if (cardRetries_ != 0)
        waitUntilCardIsRemoved();
}

void DSpreadViewController::nfcErrorMessage(const QString& message) {
    log(QStringLiteral("[DSPREAD] nfcErrorMessage %1").arg(message));
    showPlainAlert(message);
    auto* host = delegate();
    if (host)
        host->setIsProcessingCard(false);
    const auto s = sale();
    if (host && settings_.manualEntry() && s && s->manualEntry() &&
        host->swipeErrorCounter() >= settings_.maxSwipeErrors())
        setRightButtonEnabled(host, true);
    QPointer<DSpreadViewController> self(this);
    closeProcessingOverlay([self] {
        if (self)
            self->startDSpreadTrade();
    });
}

bool DSpreadViewController::retriesAbort() {
    // Wraps from the lowest value to the highest, as a 32-bit counter does.
    cardRetries_ = qint32(quint32(cardRetries_) - 1u);
    if (cardRetries_ != 0)
        return false;
    if (auto* host = delegate())
        host->backToSale();
    return true;
}

void DSpreadViewController::failedTransaction() {
    retriesAbort();
    resetPos();
}

void DSpreadViewController::acceptedBinsFailed() {
    const QString message = QStringLiteral("Tarjeta inválida");
    if (!retryOnDenied()) {
        auto* host = delegate();
        ViewController* screen = host ? host->hostViewController() : nullptr;
        if (FlowEndDelegate* end = screen ? screen->flowEndDelegate() : nullptr)
            end->canceled(TarvelloError::sdk(TarvelloErrorCode::Denied, message));
        return;
    }
    showPlainAlert(message);
    if (pos_)
        pos_->resetAsync();
}

void DSpreadViewController::onRequestGetCardNoResult(const QString& cardNumber) {
    log(QStringLiteral("[DSPREAD] onRequestGetCardNoResult %1")
            .arg(EmvData::maskNumber(cardNumber)));
    gettingICCCardNumber_ = 3;
    customCapabilities_ = CreditCard::getIssuer(cardNumber) == QLatin1String("MasterCard")
                              ? QStringLiteral("e0f8c8")
                              : QStringLiteral("e0b8c8");
    asyncReseting_ = true;
    if (pos_)
        pos_->resetAsync();
}

void DSpreadViewController::onDHError(int error) {
    log(QStringLiteral("[DSPREAD] ErrorState %1").arg(error));
    if (!switchingToDevice_.isEmpty() || asyncReseting_)
        return;
    if (!enablingNFC_ && nfcController_ && error != 0 && error != 13) {
        nfcController_->dismissViewControllerAnimated(true);
        nfcController_ = nullptr;
    }
    auto* host = delegate();
    switch (error) {
    case 0: {
        QPointer<DSpreadViewController> self(this);
        auto lost = [self] {
            if (!self)
                return;
            self->changeUserMessage(self->text(QStringLiteral("Device"),
                                               QStringLiteral("MESSAGE_BLUETOOTH_DEVICE_OFF")));
            self->deviceDisconnected();
            self->startAnimations();
            self->checkCardAndRestart();
        };
        if (host && host->isProcessingCard()) {
            host->setIsProcessingCard(false);
            closeProcessingOverlay(lost);
        } else {
            lost();
        }
        break;
    }
    case 2:
        changeUserMessage(text(QStringLiteral("Device"), QStringLiteral("MESSAGE_SWIPE_ERROR")));
        if (pos_)
            pos_->resetAsync();
        break;
    case 3:
        if (enablingNFC_) {
            enablingNFC_ = false;
            if (pos_) {
                pos_->setCardTradeMode(ReaderService::kTradeModeContactless);
                pos_->checkCard(int(scanBluetoothCardTime));
            }
            break;
        }
        cancelDelayedCalls(DelayedCall::StartDSpreadTrade);
        cancelDelayedCalls(DelayedCall::CheckCardAndRestart);
        performAfterDelay(DelayedCall::CheckCardAndRestart, kRestartMs);
        break;
    case 5:
        if (waitingForRemoval_) {
            cancelDelayedCalls(DelayedCall::WaitUntilCardIsRemoved);
            performAfterDelay(DelayedCall::WaitUntilCardIsRemoved, kRemovalWaitMs);
            break;
        }
        cancelDelayedCalls(DelayedCall::StartDSpreadTrade);
        cancelDelayedCalls(DelayedCall::CheckCardAndRestart);
        performAfterDelay(DelayedCall::StartDSpreadTrade, kRestartMs);
        break;
    case 6:
        scheduleDismiss();
        break;
    default:
        startDSpreadTrade();
        break;
    }
}

// ---------------------------------------------------------------- after approval

bool DSpreadViewController::signatureRequired() {
    const auto s = sale();
    if (!s)
        return false;
    const auto card = s->creditCard();
    const bool pin = card && card->pinBlock() && !card->pinBlock()->isEmpty();
    if (pin || (card && card->offlinePinInserted()))
        return false;
    if (s->authenticationType() == QStringLiteral("qps"))
        return false;
    if (s->trxType() != 0)
        return false;
    const double total = s->total() ? s->total()->doubleValue() : 0.0;
    const float limit = float(settings_.signatureLimitAmount());
    const QString limitCurrency = settings_.signatureLimitCurrencyCode();
    if (sameCurrency(s->currencyCode(), limitCurrency))
        return total >= double(limit);
    const QVariantList currencies = settings_.currencies();
    if (currencies.isEmpty())
        return true; // no rate to convert by: the cardholder signs
    const QVariantMap first = currencies.first().toMap();
    bool ok = false;
    const float exchangeRate =
        first.value(QStringLiteral("exchangeRate")).toString().trimmed().toFloat(&ok);
    if (!ok || exchangeRate == 0.0f || !std::isfinite(exchangeRate))
        return true;
    const float rate = sameCurrency(first.value(QStringLiteral("code")).toString(), limitCurrency)
                           ? 1.0f / exchangeRate
                           : exchangeRate;
    return total >= double(limit * rate);
}

void DSpreadViewController::DSpread_CardAccepted() {
    log(QStringLiteral("[DSPREAD] card accepted, entry type \"%1\"").arg(cardEntryType()));
    const bool required = signatureRequired();
    log(QStringLiteral("DSpread_CardAccepted. Signature required: %1").arg(int(required)));
    if (required) {
        goSign();
        return;
    }
    auto* host = delegate();
    const auto s = sale();
    if (!host || !s)
        return;
    if (s->trxType() != 0)
        host->refundDone();
    else
        host->goSendReceipt();
}

void DSpreadViewController::goSign() {
    auto* host = delegate();
    const auto s = sale();
    if (!host || !s)
        return;
    ViewController* signature = Storyboard::instantiate(QStringLiteral("Signature"),
                                                        QStringLiteral("SignatureViewController"));
    if (!signature) {
        // No signature screen in this build: go on as without signature.
        log(QStringLiteral("[DSPREAD] no signature screen: receipt"));
        host->goSendReceipt();
        return;
    }
    s->setClient(Client::instanceWithDictionary(host->buyerDic()));
    if (auto* receiver = dynamic_cast<SaleReceiver*>(signature))
        receiver->setSale(s);
    signature->setModalPresentationStyle(ViewController::ModalPresentationStyle::FullScreen);
    presentAlert(signature);
}
