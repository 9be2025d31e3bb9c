#pragma once

#include "platform/ui/Clock.h"
#include "reader/service/ListenerSlot.h"
#include "reader/service/ReaderService.h"
#include "reader/service/ReaderServiceListener.h"
#include "reader/simulated/CardProfile.h"
#include "reader/simulated/SimulatedCardData.h"

#include <QObject>
#include <optional>

class SimulatedReader;

// The reader service of the simulated world: it answers as a reader does, in the reader's
// order, after the world's delays on the Clock, and records every call in the world.
class SimulatedReaderService : public ReaderService {
public:
    explicit SimulatedReaderService(SimulatedReader* world);
    ~SimulatedReaderService() override;

    // The world is going away: answer nothing more.
    void detach();

    bool isConnected() const { return link_ == Link::Open; }
    QString connectedName() const { return link_ == Link::Open ? name_ : QString(); }
    int cardTradeMode() const { return tradeMode_; }
    bool isWaitingForCard() const { return waiting_; }
    bool cardInReader() const { return inserted_; }
    // The world's events.
    void cardQueued();
    void removeCard();
    void bluetoothChanged(int state);

    // ReaderService
    void setListener(ReaderServiceListener* listener) override;
    ReaderServiceListener* listener() const override { return listener_.get(); }
    void setPosType(int type) override;
    bool connect(const QString& bluetoothName) override;
    void disconnect() override;
    void resetAsync() override;
    void setCardTradeMode(int mode) override;
    void updateEmvApplication(int operation, const QStringList& items,
                              Completion completion) override;
    void checkCard(int timeoutSeconds) override;
    void startEmv(int mode) override;
    void setAmountIcon(const QString& symbol) override;
    void setAmount(const QString& amount, const QString& description, const QString& currencyCode,
                   int transactionType) override;
    void selectEmvApplication(int index) override;
    void finalConfirm(bool confirmed) override;
    void sendTime(const QString& time) override;
    void setServerConnected(bool connected) override;
    void sendOnlineProcessResult(const QString& tlv) override;
    void getPin(int mode, int keyIndex, int maxLength, const QString& display,
                const QString& cardNumber, const QString& data, int timeoutSeconds,
                PinCompletion completion) override;
    void inputAmount(const QString& symbol, int maxLength, const QString& display,
                     int timeoutSeconds, AmountCompletion completion) override;
    QVariantMap iccTags(int cardType, int tagCount, const QString& tags) override;
    QVariantMap nfcBatchData() override;
    QVariantMap analyseEmvData(const QString& tlv) override;
    void requestInfo() override;
    void requestId() override;
    void isCardPresent(int timeoutSeconds, CardPresentCompletion completion) override;
    void requestIccCardNumber(const QString& time) override;
    void showCustomDisplay(int mode, const QString& hexText) override;

private:
    enum class Link { Closed, Opening, Open };
    enum class Step { Idle, Inserted, Amount, Application, Time, Confirm, Online };

    void record(const QString& name, const QVariantList& arguments = {});
    // Runs the step after the delay, on the main thread, while the session and the listener
    // it was made for are still current; the step may call the listener directly.
    Clock::Handle later(int delayMs, std::function<void(ReaderServiceListener&)> step);
    // Plays the fault armed for the step, if any; true when it replaced the answer.
    bool playFault(const QString& step);
    bool play(const ReaderFault& fault);
    // Ends what the reader was doing: card wait, transaction, pending answers.
    void newSession();
    void dropLink();
    void presentCard();
    void scheduleCard();
    void endTransaction();
    void afterPin();
    void sendOnlineRequest();
    int stepMs() const;

    SimulatedReader* world_;
    ListenerSlot<ReaderServiceListener> listener_;
    QObject context_;
    Link link_ = Link::Closed;
    QString name_;
    quint64 session_ = 0;
    int tradeMode_ = 0;
    bool waiting_ = false;
    Clock::Handle waitHandle_ = 0;    // the card presentation or the wait's time-out
    std::optional<CardProfile> card_; // the card of the last read
    bool inserted_ = false;
    Clock::Handle removalHandle_ = 0;
    Step step_ = Step::Idle;
    int application_ = 0;
    SimulatedCardData::Terminal terminal_;
};
