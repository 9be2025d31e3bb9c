#pragma once

#include "platform/ui/Clock.h"
#include "reader/service/BluetoothCentral.h"
#include "reader/service/ListenerSlot.h"

#include <optional>

class SimulatedReader;

// The Bluetooth central of the simulated world: its power state, and a scan that hears every
// reader in range the central can see, with its signal strength.
class SimulatedBluetoothCentral : public BluetoothCentral {
public:
    explicit SimulatedBluetoothCentral(SimulatedReader* world);
    ~SimulatedBluetoothCentral() override;

    void detach();
    void bluetoothChanged(int state);
    void readerAdded(const QString& name, std::optional<int> rssi, int appearsAfterMs,
                     bool seenByCentral);

    // BluetoothCentral
    void setListener(BluetoothCentralListener* listener) override;
    int state() const override;
    bool isScanning() const override { return scanning_; }
    void scanForPeripherals() override;
    void stopScan() override;

private:
    SimulatedReader* world_;
    ListenerSlot<BluetoothCentralListener> listener_;
    bool stateReported_ = false;
    bool scanning_ = false;
    quint64 scan_ = 0; // discoveries of an earlier scan are dropped
};
