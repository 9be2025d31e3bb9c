#include "reader/simulated/SimulatedReaderService.h"

#include "reader/TLV.h"
#include "reader/Util.h"
#include "reader/service/ReaderFinder.h"
#include "reader/simulated/SimulatedReader.h"

namespace {

constexpr int kPinTimeoutMs = 30000;

QString hexOf(const SimulatedCardData::Tags& tags) {
    return SimulatedCardData::toHex(tags);
}

} // namespace

SimulatedReaderService::SimulatedReaderService(SimulatedReader* world)
    : world_(world) {}

SimulatedReaderService::~SimulatedReaderService() = default;

// May run while the program ends, when the Clock is gone: pending steps see no world and end.
void SimulatedReaderService::detach() {
    world_ = nullptr;
    ++session_;
    waiting_ = false;
    step_ = Step::Idle;
    link_ = Link::Closed;
}

int SimulatedReaderService::stepMs() const {
    return world_ ? world_->delays().stepMs : 0;
}

void SimulatedReaderService::record(const QString& name, const QVariantList& arguments) {
    if (world_)
        world_->record(name, arguments);
}

Clock::Handle SimulatedReaderService::later(int delayMs,
                                            std::function<void(ReaderServiceListener&)> step) {
    const quint64 session = session_;
    const quint64 generation = listener_.generation();
    return Clock::current().callAfter(
        delayMs, &context_, [this, session, generation, step = std::move(step)] {
            if (!world_ || session != session_ || generation != listener_.generation())
                return;
            if (ReaderServiceListener* listener = listener_.get())
                step(*listener);
        });
}

void SimulatedReaderService::newSession() {
    ++session_;
    waiting_ = false;
    Clock::current().cancel(waitHandle_);
    waitHandle_ = 0;
    step_ = Step::Idle;
}

void SimulatedReaderService::dropLink() {
    if (link_ == Link::Closed)
        return;
    link_ = Link::Closed;
    newSession();
    later(stepMs(), [](ReaderServiceListener& l) { l.onRequestQposDisconnected(); });
}

bool SimulatedReaderService::playFault(const QString& step) {
    if (!world_)
        return true;
    const auto fault = world_->takeFault(step);
    return fault && play(*fault);
}

bool SimulatedReaderService::play(const ReaderFault& fault) {
    switch (fault.kind) {
    case ReaderFault::Kind::Error: {
        const int code = fault.code;
        later(stepMs(), [code](ReaderServiceListener& l) { l.onDHError(code); });
        return true;
    }
    case ReaderFault::Kind::Disconnect:
        dropLink();
        return true;
    case ReaderFault::Kind::NotDetected:
        link_ = Link::Closed;
        newSession();
        later(stepMs(), [](ReaderServiceListener& l) { l.onRequestNoQposDetected(); });
        return true;
    case ReaderFault::Kind::Silent:
    case ReaderFault::Kind::ResetFailed:
    case ReaderFault::Kind::Empty:
    case ReaderFault::Kind::CardWaitTimeout:
        return true;
    }
    return true;
}

// ---------------------------------------------------------------- world events

void SimulatedReaderService::cardQueued() {
    if (waiting_)
        scheduleCard();
}

void SimulatedReaderService::removeCard() {
    inserted_ = false;
    Clock::current().cancel(removalHandle_);
    removalHandle_ = 0;
}

void SimulatedReaderService::bluetoothChanged(int state) {
    if (state != BluetoothState::PoweredOn)
        dropLink();
}

// ---------------------------------------------------------------- connection

void SimulatedReaderService::setListener(ReaderServiceListener* listener) {
    record(QStringLiteral("setListener"), {listener != nullptr});
    listener_.set(listener);
}

void SimulatedReaderService::setPosType(int type) {
    record(QStringLiteral("setPosType"), {type});
}

bool SimulatedReaderService::connect(const QString& bluetoothName) {
    record(QStringLiteral("connect"), {bluetoothName});
    if (!world_)
        return false;
    newSession();
    link_ = Link::Opening;
    name_ = bluetoothName;
    if (playFault(QStringLiteral("connect")))
        return true;
    later(world_->delays().connectMs, [this](ReaderServiceListener& l) {
        const bool found = world_->bluetoothState() == BluetoothState::PoweredOn &&
                           world_->reader(name_).has_value();
        if (!found) {
            link_ = Link::Closed;
            l.onRequestNoQposDetected();
            return;
        }
        link_ = Link::Open;
        l.onRequestQposConnected();
    });
    return true;
}

void SimulatedReaderService::disconnect() {
    record(QStringLiteral("disconnect"));
    dropLink();
}

void SimulatedReaderService::resetAsync() {
    record(QStringLiteral("resetAsync"));
    if (link_ != Link::Open)
        return;
    newSession();
    if (auto fault = world_->takeFault(QStringLiteral("reset"))) {
        if (fault->kind == ReaderFault::Kind::ResetFailed) {
            later(world_->delays().resetMs,
                  [](ReaderServiceListener& l) { l.onAsyncResetPosStatus(QStringLiteral("0")); });
            return;
        }
        play(*fault);
        return;
    }
    later(world_->delays().resetMs,
          [](ReaderServiceListener& l) { l.onAsyncResetPosStatus(QStringLiteral("1")); });
}

// ---------------------------------------------------------------- card wait

void SimulatedReaderService::setCardTradeMode(int mode) {
    record(QStringLiteral("setCardTradeMode"), {mode});
    tradeMode_ = mode;
}

void SimulatedReaderService::updateEmvApplication(int operation, const QStringList& items,
                                                  Completion completion) {
    record(QStringLiteral("updateEmvApplication"), {operation, items});
    if (link_ != Link::Open || !world_)
        return;
    if (const auto fault = world_->takeFault(QStringLiteral("updateEmv"))) {
        if (fault->kind == ReaderFault::Kind::Error)
            later(stepMs(), [completion](ReaderServiceListener&) {
                if (completion)
                    completion(false, QStringLiteral("parameters refused"));
            });
        return;
    }
    for (const QString& item : items) {
        const QString tag = item.left(4).toUpper();
        terminal_.parameters.erase(
            std::remove_if(terminal_.parameters.begin(), terminal_.parameters.end(),
                           [&](const QString& p) { return p.left(4).toUpper() == tag; }),
            terminal_.parameters.end());
        terminal_.parameters.append(item);
    }
    later(stepMs(), [completion](ReaderServiceListener&) {
        if (completion)
            completion(true, QStringLiteral("success"));
    });
}

void SimulatedReaderService::checkCard(int timeoutSeconds) {
    record(QStringLiteral("checkCard"), {timeoutSeconds});
    if (link_ != Link::Open || !world_)
        return;
    newSession();
    if (const auto fault = world_->takeFault(QStringLiteral("checkCard"))) {
        if (fault->kind == ReaderFault::Kind::CardWaitTimeout) {
            later(stepMs(), [](ReaderServiceListener& l) { l.onRequestWaitingUser(); });
            later(2 * stepMs(), [](ReaderServiceListener& l) { l.onDoTradeResult(4, {}); });
            return;
        }
        play(*fault);
        return;
    }
    waiting_ = true;
    later(stepMs(), [](ReaderServiceListener& l) { l.onRequestWaitingUser(); });
    const int timeoutMs = qMax(0, timeoutSeconds) * 1000;
    waitHandle_ = later(timeoutMs, [this](ReaderServiceListener& l) {
        waiting_ = false;
        waitHandle_ = 0;
        l.onDoTradeResult(4, {});
    });
    scheduleCard();
}

// A card the current mode lets the reader see is presented after the card delay; the wait's
// time-out stops running from then.
void SimulatedReaderService::scheduleCard() {
    const CardProfile* next = world_ ? world_->peekCard() : nullptr;
    if (!next)
        return;
    const bool contactless = next->kind == CardProfile::Kind::Contactless ||
                             next->kind == CardProfile::Kind::ContactlessRefused;
    if (contactless && tradeMode_ != kTradeModeWithContactless &&
        tradeMode_ != kTradeModeContactless)
        return;
    Clock::current().cancel(waitHandle_);
    waitHandle_ = later(world_->delays().cardMs, [this](ReaderServiceListener&) {
        waitHandle_ = 0;
        presentCard();
    });
}

void SimulatedReaderService::presentCard() {
    auto card = world_->takeCard();
    if (!card)
        return;
    waiting_ = false;
    for (const ReaderFault& fault : card->faults)
        world_->addFault(fault);
    card_ = card;
    application_ = 0;
    Clock::current().cancel(removalHandle_);
    removalHandle_ = 0;
    const int result = card->readResult();
    QVariantMap data;
    switch (card->kind) {
    case CardProfile::Kind::Chip:
        inserted_ = true;
        step_ = Step::Inserted;
        break;
    case CardProfile::Kind::ChipUnusable:
        inserted_ = true;
        endTransaction();
        break;
    case CardProfile::Kind::Swipe:
        data = SimulatedCardData::swipeData(*card);
        break;
    case CardProfile::Kind::Contactless:
        data = SimulatedCardData::contactlessData(*card);
        break;
    case CardProfile::Kind::BadSwipe:
    case CardProfile::Kind::ContactlessRefused:
        break;
    }
    if (ReaderServiceListener* listener = listener_.get())
        listener->onDoTradeResult(result, data);
}

// ---------------------------------------------------------------- chip transaction

void SimulatedReaderService::startEmv(int mode) {
    record(QStringLiteral("startEmv"), {mode});
    if (step_ != Step::Inserted || !card_ || playFault(QStringLiteral("emv")))
        return;
    later(stepMs(), [this](ReaderServiceListener& l) {
        step_ = Step::Amount;
        l.onRequestSetAmount();
    });
}

void SimulatedReaderService::setAmountIcon(const QString& symbol) {
    record(QStringLiteral("setAmountIcon"), {symbol});
}

void SimulatedReaderService::setAmount(const QString& amount, const QString& description,
                                       const QString& currencyCode, int transactionType) {
    record(QStringLiteral("setAmount"), {amount, description, currencyCode, transactionType});
    if (step_ != Step::Amount || playFault(QStringLiteral("amount")))
        return;
    terminal_.amountCents = amount.toLongLong();
    terminal_.currencyCode = currencyCode;
    terminal_.transactionType = transactionType;
    if (card_->applications.size() > 1) {
        QStringList labels;
        for (const CardApplication& app : card_->applications)
            labels.append(app.label);
        later(stepMs(), [this, labels](ReaderServiceListener& l) {
            step_ = Step::Application;
            l.onRequestSelectEmvApp(labels);
        });
        return;
    }
    application_ = 0;
    later(stepMs(), [this](ReaderServiceListener& l) {
        step_ = Step::Time;
        l.onRequestTime();
    });
}

void SimulatedReaderService::selectEmvApplication(int index) {
    record(QStringLiteral("selectEmvApplication"), {index});
    if (step_ != Step::Application || playFault(QStringLiteral("selectApplication")))
        return;
    if (index < 0 || index >= card_->applications.size()) {
        later(stepMs(), [this](ReaderServiceListener& l) {
            endTransaction();
            l.onRequestTransactionResult(6);
        });
        return;
    }
    application_ = index;
    later(stepMs(), [this](ReaderServiceListener& l) {
        step_ = Step::Time;
        l.onRequestTime();
    });
}

void SimulatedReaderService::sendTime(const QString& time) {
    record(QStringLiteral("sendTime"), {time});
    if (step_ != Step::Time || playFault(QStringLiteral("time")))
        return;
    terminal_.time = time;
    later(stepMs(), [this](ReaderServiceListener& l) {
        step_ = Step::Confirm;
        l.onRequestFinalConfirm();
    });
}

void SimulatedReaderService::finalConfirm(bool confirmed) {
    record(QStringLiteral("finalConfirm"), {confirmed});
    if (step_ != Step::Confirm || playFault(QStringLiteral("confirm")))
        return;
    if (!confirmed) {
        later(stepMs(), [this](ReaderServiceListener& l) {
            endTransaction();
            l.onRequestTransactionResult(3);
        });
        return;
    }
    const bool pin = card_->verification == CardProfile::Verification::OnlinePin ||
                     card_->verification == CardProfile::Verification::OfflinePin;
    if (!pin) {
        sendOnlineRequest();
        return;
    }
    later(stepMs(), [this](ReaderServiceListener& l) {
        l.onRequestDisplay(7);
        afterPin();
    });
}

// The cardholder's PIN on the keypad, after the reader asked for it.
void SimulatedReaderService::afterPin() {
    if (playFault(QStringLiteral("pin")))
        return;
    switch (card_->pinEntry) {
    case CardProfile::Entry::Typed:
        later(stepMs(), [this](ReaderServiceListener& l) {
            l.onRequestDisplay(6);
            sendOnlineRequest();
        });
        return;
    case CardProfile::Entry::Cancelled:
        later(stepMs(), [this](ReaderServiceListener& l) {
            endTransaction();
            l.onRequestTransactionResult(3);
        });
        return;
    case CardProfile::Entry::TimedOut:
        later(kPinTimeoutMs, [this](ReaderServiceListener& l) {
            endTransaction();
            l.onRequestTransactionResult(1);
        });
        return;
    }
}

void SimulatedReaderService::sendOnlineRequest() {
    if (playFault(QStringLiteral("onlineRequest")))
        return;
    const QString request =
        hexOf(SimulatedCardData::onlineRequest(*card_, application_, terminal_));
    later(stepMs(), [this, request](ReaderServiceListener& l) {
        step_ = Step::Online;
        l.onRequestOnlineProcess(request);
    });
}

void SimulatedReaderService::setServerConnected(bool connected) {
    record(QStringLiteral("setServerConnected"), {connected});
}

void SimulatedReaderService::sendOnlineProcessResult(const QString& tlv) {
    record(QStringLiteral("sendOnlineProcessResult"), {tlv});
    if (step_ != Step::Online || playFault(QStringLiteral("onlineResult")))
        return;
    step_ = Step::Idle;
    const auto decoded = TLV::decodeTags(Util::HexStringToByteArray(tlv));
    const auto code = TLV::findLastTag(0x8A, decoded);
    const QByteArray response = code && code->data() ? *code->data() : QByteArray();
    const CardProfile card = *card_;
    const int app = application_;
    const auto terminal = terminal_;
    const int step = stepMs();
    if (response != "00") {
        later(step, [this](ReaderServiceListener& l) {
            endTransaction();
            l.onRequestTransactionResult(2);
        });
        return;
    }
    switch (card.verdict) {
    case CardProfile::Verdict::Approve: {
        const QString batch = hexOf(SimulatedCardData::batchData(card, app, terminal, response));
        later(step, [batch](ReaderServiceListener& l) { l.onRequestBatchData(batch); });
        later(2 * step, [this](ReaderServiceListener& l) {
            endTransaction();
            l.onRequestTransactionResult(0);
        });
        return;
    }
    case CardProfile::Verdict::Decline: {
        const QString reversal = hexOf(SimulatedCardData::reversalData(card, app, terminal));
        later(step, [reversal](ReaderServiceListener& l) { l.onReturnReversalData(reversal); });
        later(2 * step, [this](ReaderServiceListener& l) {
            endTransaction();
            l.onRequestTransactionResult(2);
        });
        return;
    }
    case CardProfile::Verdict::Removed: {
        const QString data = hexOf(SimulatedCardData::reversalData(card, app, terminal));
        const bool reversal = card.removedWithReversal;
        later(step, [this](ReaderServiceListener& l) {
            removeCard();
            l.onRequestDisplay(10);
        });
        later(2 * step, [this, data, reversal](ReaderServiceListener& l) {
            endTransaction();
            if (reversal)
                l.onReturnReversalData(data);
            else
                l.onEmvICCExceptionData(data);
        });
        return;
    }
    }
}

// The transaction is over; the card leaves the reader after its time unless held.
void SimulatedReaderService::endTransaction() {
    step_ = Step::Idle;
    if (!inserted_ || !card_ || card_->removeAfterMs < 0)
        return;
    Clock::current().cancel(removalHandle_);
    removalHandle_ = Clock::current().callAfter(card_->removeAfterMs, &context_, [this] {
        removalHandle_ = 0;
        inserted_ = false;
    });
}

// ---------------------------------------------------------------- keypad entry

void SimulatedReaderService::getPin(int mode, int keyIndex, int maxLength, const QString& display,
                                    const QString& cardNumber, const QString& data,
                                    int timeoutSeconds, PinCompletion completion) {
    record(QStringLiteral("getPin"),
           {mode, keyIndex, maxLength, display, cardNumber, data, timeoutSeconds});
    if (link_ != Link::Open || playFault(QStringLiteral("pin")))
        return;
    const CardProfile::Entry entry = card_ ? card_->pinEntry : CardProfile::Entry::Cancelled;
    if (entry == CardProfile::Entry::Typed) {
        const QVariantMap result{{"pin", SimulatedCardData::pinBlock(*card_)},
                                 {"ksn", SimulatedCardData::pinKsn()}};
        later(stepMs(), [completion, result](ReaderServiceListener&) {
            if (completion)
                completion(true, result);
        });
        return;
    }
    const int delay =
        entry == CardProfile::Entry::TimedOut ? qMax(0, timeoutSeconds) * 1000 : stepMs();
    later(delay, [completion](ReaderServiceListener&) {
        if (completion)
            completion(false, {});
    });
}

void SimulatedReaderService::inputAmount(const QString& symbol, int maxLength,
                                         const QString& display, int timeoutSeconds,
                                         AmountCompletion completion) {
    record(QStringLiteral("inputAmount"), {symbol, maxLength, display, timeoutSeconds});
    if (link_ != Link::Open || playFault(QStringLiteral("tip")))
        return;
    const CardProfile* card = world_->peekCard();
    if (!card && card_)
        card = &*card_;
    const CardProfile::Entry entry = card ? card->tipEntry : CardProfile::Entry::Cancelled;
    const QString tip = card ? card->tip : QString();
    const int delay =
        entry == CardProfile::Entry::TimedOut ? qMax(0, timeoutSeconds) * 1000 : stepMs();
    const bool typed = entry == CardProfile::Entry::Typed;
    later(delay, [completion, typed, tip](ReaderServiceListener&) {
        if (completion)
            completion(typed, typed ? tip : QString());
    });
}

// ---------------------------------------------------------------- reads answered at once

QVariantMap SimulatedReaderService::iccTags(int cardType, int tagCount, const QString& tags) {
    record(QStringLiteral("iccTags"), {cardType, tagCount, tags});
    if (!card_ || link_ != Link::Open || playFault(QStringLiteral("iccTags")))
        return {};
    const auto selected = SimulatedCardData::select(
        SimulatedCardData::cardTags(*card_, application_, terminal_), tags);
    if (selected.isEmpty())
        return {};
    return {{"tlv", hexOf(selected)}};
}

QVariantMap SimulatedReaderService::nfcBatchData() {
    record(QStringLiteral("nfcBatchData"));
    if (!card_ || card_->kind != CardProfile::Kind::Contactless || link_ != Link::Open ||
        playFault(QStringLiteral("batchData")))
        return {};
    return {{"tlv", hexOf(SimulatedCardData::contactlessBatch(*card_, terminal_))}};
}

QVariantMap SimulatedReaderService::analyseEmvData(const QString& tlv) {
    record(QStringLiteral("analyseEmvData"), {tlv});
    QVariantMap tags;
    const auto decoded = TLV::decodeTags(Util::HexStringToByteArray(tlv));
    if (!decoded)
        return tags;
    for (const TLV& element : *decoded)
        tags.insert(QString::number(quint32(element.tag()), 16).toUpper(),
                    Util::byteArray2Hex(element.data().value_or(QByteArray())));
    return tags;
}

// ---------------------------------------------------------------- reader state

void SimulatedReaderService::requestInfo() {
    record(QStringLiteral("requestInfo"));
    if (link_ != Link::Open || playFault(QStringLiteral("info")))
        return;
    const auto reader = world_->reader(name_);
    const QVariantMap info{{"batteryPercentage", QString::number(reader ? reader->battery : 0)},
                           {"isCharging", reader && reader->charging}};
    later(stepMs(), [info](ReaderServiceListener& l) { l.onQposInfoResult(info); });
}

void SimulatedReaderService::requestId() {
    record(QStringLiteral("requestId"));
    if (link_ != Link::Open || playFault(QStringLiteral("id")))
        return;
    const auto reader = world_->reader(name_);
    const QVariantMap ids{{"posId", reader ? reader->serial : QString()}};
    later(stepMs(), [ids](ReaderServiceListener& l) { l.onQposIdResult(ids); });
}

void SimulatedReaderService::isCardPresent(int timeoutSeconds, CardPresentCompletion completion) {
    record(QStringLiteral("isCardPresent"), {timeoutSeconds});
    if (link_ != Link::Open || playFault(QStringLiteral("cardPresent")))
        return;
    later(stepMs(), [this, completion](ReaderServiceListener&) {
        if (completion)
            completion(inserted_);
    });
}

void SimulatedReaderService::requestIccCardNumber(const QString& time) {
    record(QStringLiteral("requestIccCardNumber"), {time});
    if (link_ != Link::Open)
        return;
    later(stepMs(), [this](ReaderServiceListener& l) {
        l.onRequestGetCardNoResult(inserted_ && card_ ? card_->number : QString());
    });
}

void SimulatedReaderService::showCustomDisplay(int mode, const QString& hexText) {
    record(QStringLiteral("showCustomDisplay"), {mode, hexText});
    if (link_ != Link::Open || playFault(QStringLiteral("display")))
        return;
    later(stepMs(), [](ReaderServiceListener& l) { l.onLcdShowCustomDisplay(true); });
}
