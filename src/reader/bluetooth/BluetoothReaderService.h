#pragma once

#include "reader/service/ListenerSlot.h"
#include "reader/service/ReaderService.h"
#include "reader/service/ReaderServiceListener.h"

// The reader service of the Bluetooth side. Driving a reader needs its maker's driver, which
// is not part of this build: a connection ends in onRequestNoQposDetected (logged), and every
// other call does nothing; the reads answer nothing.
class BluetoothReaderService : public ReaderService {
public:
    void setListener(ReaderServiceListener* listener) override { listener_.set(listener); }
    ReaderServiceListener* listener() const override { return listener_.get(); }
    void setPosType(int) override {}
    bool connect(const QString& bluetoothName) override;
    void disconnect() override {}
    void resetAsync() override {}
    void setCardTradeMode(int) override {}
    void updateEmvApplication(int, const QStringList&, Completion) override {}
    void checkCard(int) override {}
    void startEmv(int) override {}
    void setAmountIcon(const QString&) override {}
    void setAmount(const QString&, const QString&, const QString&, int) override {}
    void selectEmvApplication(int) override {}
    void finalConfirm(bool) override {}
    void sendTime(const QString&) override {}
    void setServerConnected(bool) override {}
    void sendOnlineProcessResult(const QString&) override {}
    void getPin(int, int, int, const QString&, const QString&, const QString&, int,
                PinCompletion) override {}
    void inputAmount(const QString&, int, const QString&, int, AmountCompletion) override {}
    QVariantMap iccTags(int, int, const QString&) override { return {}; }
    QVariantMap nfcBatchData() override { return {}; }
    QVariantMap analyseEmvData(const QString&) override { return {}; }
    void requestInfo() override {}
    void requestId() override {}
    void isCardPresent(int, CardPresentCompletion) override {}
    void requestIccCardNumber(const QString&) override {}
    void showCustomDisplay(int, const QString&) override {}

private:
    ListenerSlot<ReaderServiceListener> listener_;
};
