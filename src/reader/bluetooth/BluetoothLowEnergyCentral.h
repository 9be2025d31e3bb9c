#pragma once

#include "reader/service/BluetoothCentral.h"
#include "reader/service/ListenerSlot.h"

#include <QBluetoothDeviceDiscoveryAgent>
#include <QBluetoothLocalDevice>
#include <QObject>

// The central on Qt Bluetooth: the local adapter's power and a low-energy scan that runs until
// stopped, reporting each advertising device's name and signal strength.
class BluetoothLowEnergyCentral : public BluetoothCentral {
public:
    BluetoothLowEnergyCentral();
    ~BluetoothLowEnergyCentral() override;

    void setListener(BluetoothCentralListener* listener) override;
    int state() const override;
    bool isScanning() const override { return scanning_; }
    void scanForPeripherals() override;
    void stopScan() override;

private:
    void discovered(const QBluetoothDeviceInfo& info);

    QObject context_;
    ListenerSlot<BluetoothCentralListener> listener_;
    QBluetoothLocalDevice* local_;
    QBluetoothDeviceDiscoveryAgent* agent_;
    bool stateReported_ = false;
    bool scanning_ = false;
};
