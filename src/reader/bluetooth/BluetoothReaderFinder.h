#pragma once

#include "platform/ui/Clock.h"
#include "reader/service/ReaderFinder.h"

#include <QBluetoothDeviceDiscoveryAgent>
#include <QBluetoothLocalDevice>
#include <QObject>
#include <QSet>

// The reader finder on Qt Bluetooth: a low-energy scan for the given time that reports each
// named device once per scan, and the adapter's power changes. It calls its listener on the
// main thread.
class BluetoothReaderFinder : public ReaderFinder {
public:
    BluetoothReaderFinder();
    ~BluetoothReaderFinder() override;

    void setListener(ReaderFinderListener* listener) override;
    int state() const override;
    void scan(qint64 seconds) override;
    void stop() override;

private:
    QObject context_;
    ReaderFinderListener* listener_ = nullptr;
    QBluetoothLocalDevice* local_;
    QBluetoothDeviceDiscoveryAgent* agent_;
    QSet<QString> reported_;
    Clock::Handle scanEnd_ = 0;
    bool scanning_ = false;
};
