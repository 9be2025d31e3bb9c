#pragma once

#include "reader/service/WeakRef.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

// What the reader service tells its listener. Every call is optional (the defaults do nothing)
// and arrives on the main thread, queued: never inside a call to the service, never after the
// listener was cleared or replaced, never after the listener is gone.
class ReaderServiceListener : public Watched {
public:
    virtual ~ReaderServiceListener() = default;

    // ---- connection
    // The reader is connected and ready for commands.
    virtual void onRequestQposConnected() {}
    // The connection was lost or closed.
    virtual void onRequestQposDisconnected() {}
    // The reader asked to connect could not be reached.
    virtual void onRequestNoQposDetected() {}
    // A command failed; the value is the reader's error number (0 time-out ... 19).
    virtual void onDHError(int error) { (void)error; }
    // The answer to a reset: "1" on success, anything else on failure.
    virtual void onAsyncResetPosStatus(const QString& status) { (void)status; }
    // Battery and charging: "batteryPercentage" (integer text), "isCharging" (boolean).
    virtual void onQposInfoResult(const QVariantMap& info) { (void)info; }
    // Identity: "posId" (the reader's full serial number).
    virtual void onQposIdResult(const QVariantMap& ids) { (void)ids; }

    // ---- card wait and read
    // The reader waits for a card.
    virtual void onRequestWaitingUser() {}
    // What the card wait found: 0 no data, 1 swipe (decoded track data), 2 chip inserted,
    // 3 bad swipe, 4 no answer, 5 chip unusable, 7 and 8 contactless read, 9 contactless
    // refused.
    virtual void onDoTradeResult(int result, const QVariantMap& decodeData) {
        (void)result;
        (void)decodeData;
    }
    // A PIN taken outside a PIN request: "pinBlock", "pinKsn".
    virtual void onReturnGetPinResult(const QVariantMap& result) { (void)result; }
    // The number of the inserted card, or the empty text.
    virtual void onRequestGetCardNoResult(const QString& cardNumber) { (void)cardNumber; }

    // ---- chip transaction prompts
    virtual void onRequestSetAmount() {}
    virtual void onRequestSelectEmvApp(const QStringList& applications) { (void)applications; }
    virtual void onRequestFinalConfirm() {}
    virtual void onRequestTime() {}
    virtual void onRequestIsServerConnected() {}
    virtual void onRequestPinEntry() {}
    // A message on the reader's display: 0 try another interface, 1 and 3 please wait,
    // 2 remove card, 6 PIN ok, 7 enter PIN, 8 insert instead of swiping, 9 offline PIN only,
    // 10 card removed.
    virtual void onRequestDisplay(int message) { (void)message; }
    // The card's data for the issuer: BER-TLV as hex text.
    virtual void onRequestOnlineProcess(const QString& tlv) { (void)tlv; }

    // ---- transaction end
    // 0 approved, 1 terminated, 2 declined, 3 cancelled, 4 to 13 failures of the card or reader.
    virtual void onRequestTransactionResult(int result) { (void)result; }
    // BER-TLV hex texts of a completed, failed or reversed transaction.
    virtual void onRequestBatchData(const QString& tlv) { (void)tlv; }
    virtual void onEmvICCExceptionData(const QString& tlv) { (void)tlv; }
    virtual void onReturnReversalData(const QString& tlv) { (void)tlv; }
    // A custom text was (or was not) shown on the reader's display.
    virtual void onLcdShowCustomDisplay(bool shown) { (void)shown; }
};
