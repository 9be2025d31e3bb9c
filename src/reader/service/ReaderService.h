#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <functional>

class ReaderServiceListener;

// The card reader: one shared service per process (ReaderFactory::sharedService), talking to
// one reader at a time. Main-thread use only.
//
// Contract: answers, callbacks and completions reach the listener on the main thread, queued
// (never inside the call that caused them) and never after the listener was cleared or
// replaced; a completion belongs to the listener set when its call was made. The synchronous
// calls (connect's result, the tag reads, the batch data, the data analysis) answer at once.
// A call without a connected reader is recorded and answered as the reader would (mostly not
// at all). The listener is not owned.
class ReaderService {
public:
    using Completion = std::function<void(bool ok, const QString& message)>;
    using PinCompletion = std::function<void(bool entered, const QVariantMap& result)>;
    using AmountCompletion = std::function<void(bool entered, const QString& amount)>;
    using CardPresentCompletion = std::function<void(bool present)>;

    // The one connection kind the readers use.
    static constexpr int kBluetoothPosType = 3;
    // Card trade modes: no chip; swipe, chip and contactless; contactless tap first.
    static constexpr int kTradeModeNoChip = 1;
    static constexpr int kTradeModeWithContactless = 2;
    static constexpr int kTradeModeContactless = 6;
    // The operation of updateEmvApplication that sets terminal parameters.
    static constexpr int kEmvUpdateParameters = 4;

    virtual ~ReaderService() = default;

    // ---- listener and connection
    virtual void setListener(ReaderServiceListener* listener) = 0;
    virtual ReaderServiceListener* listener() const = 0;
    virtual void setPosType(int type) = 0;
    // Starts connecting to the reader of that Bluetooth name; the outcome comes as
    // onRequestQposConnected or onRequestNoQposDetected. True when the attempt started.
    virtual bool connect(const QString& bluetoothName) = 0;
    // Closes the connection; onRequestQposDisconnected follows when one was open or opening.
    virtual void disconnect() = 0;
    // Resets the reader; the answer comes as onAsyncResetPosStatus.
    virtual void resetAsync() = 0;

    // ---- card wait
    // The mode of the next card wait (kTradeMode...).
    virtual void setCardTradeMode(int mode) = 0;
    // Loads terminal parameters, each "tag hex + value hex" (the length is added by the
    // reader); the completion gets whether the reader took them.
    virtual void updateEmvApplication(int operation, const QStringList& items,
                                      Completion completion) = 0;
    // Waits up to that many seconds for a card: onRequestWaitingUser, then onDoTradeResult.
    virtual void checkCard(int timeoutSeconds) = 0;
    // Runs the chip application of the inserted card (mode 0).
    virtual void startEmv(int mode) = 0;

    // ---- answers to the reader's prompts
    virtual void setAmountIcon(const QString& symbol) = 0;
    // Amount in cents as digits, the amount with two decimals, the numeric currency code and
    // the transaction type (0 sale, 17 refund or void).
    virtual void setAmount(const QString& amount, const QString& description,
                           const QString& currencyCode, int transactionType) = 0;
    virtual void selectEmvApplication(int index) = 0;
    virtual void finalConfirm(bool confirmed) = 0;
    // Local time as "yyyyMMddHHmmss".
    virtual void sendTime(const QString& time) = 0;
    virtual void setServerConnected(bool connected) = 0;
    // The authorisation response: BER-TLV hex text beginning with tag 8A.
    virtual void sendOnlineProcessResult(const QString& tlv) = 0;

    // ---- entry on the reader's keypad
    // PIN on the keypad: the completion gets true with "pin" and "ksn", or false when the
    // entry was cancelled or timed out.
    virtual void getPin(int mode, int keyIndex, int maxLength, const QString& display,
                        const QString& cardNumber, const QString& data, int timeoutSeconds,
                        PinCompletion completion) = 0;
    // An amount on the keypad, in cents as digits.
    virtual void inputAmount(const QString& symbol, int maxLength, const QString& display,
                             int timeoutSeconds, AmountCompletion completion) = 0;

    // ---- reads, answered at once
    // The requested tags of the card ("tlv": BER-TLV hex text); no "tlv" when nothing came.
    // Tag names are joined without separator ("9F269F06").
    virtual QVariantMap iccTags(int cardType, int tagCount, const QString& tags) = 0;
    // The contactless batch data ("tlv": BER-TLV hex text, with C0 and C2).
    virtual QVariantMap nfcBatchData() = 0;
    // The tags of a BER-TLV hex text, each under its upper-case hex tag, for the log.
    virtual QVariantMap analyseEmvData(const QString& tlv) = 0;

    // ---- reader state
    // Answered with onQposInfoResult and onQposIdResult.
    virtual void requestInfo() = 0;
    virtual void requestId() = 0;
    // Whether a card is in the reader, answered within the time-out.
    virtual void isCardPresent(int timeoutSeconds, CardPresentCompletion completion) = 0;
    // The number of the inserted card, answered with onRequestGetCardNoResult.
    virtual void requestIccCardNumber(const QString& time) = 0;
    // Shows a text (hex of its GB18030 bytes) on the reader's display; answered with
    // onLcdShowCustomDisplay.
    virtual void showCustomDisplay(int mode, const QString& hexText) = 0;
};
