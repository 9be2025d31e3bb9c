#pragma once

#include "reader/service/WeakRef.h"

#include <QString>

// What the Bluetooth central reports, on the main thread, queued, never after its listener
// was cleared or is gone.
class BluetoothCentralListener : public Watched {
public:
    virtual ~BluetoothCentralListener() = default;
    // The power state changed (BluetoothState); also reported once soon after the listener is
    // first set.
    virtual void centralManagerDidUpdateState(int state) = 0;
    // A device advertised itself while scanning: its name (empty when it has none) and signal
    // strength in dBm.
    virtual void centralManagerDidDiscoverPeripheral(const QString& name, int rssi) = 0;
};

// The machine's Bluetooth: power state and a scan that measures signal strength. Made by
// ReaderFactory; main-thread use only.
class BluetoothCentral {
public:
    virtual ~BluetoothCentral() = default;
    virtual void setListener(BluetoothCentralListener* listener) = 0;
    virtual int state() const = 0;
    virtual bool isScanning() const = 0;
    // Scans every device with the default options until stopped.
    virtual void scanForPeripherals() = 0;
    virtual void stopScan() = 0;
};
