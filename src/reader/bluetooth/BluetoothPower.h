#pragma once

#include "reader/service/ReaderFinder.h"

#include <QBluetoothLocalDevice>

// The machine's Bluetooth as a BluetoothState: no adapter, or an adapter switched off, is
// powered off.
inline int bluetoothStateOf(const QBluetoothLocalDevice& device) {
    if (!device.isValid() || device.hostMode() == QBluetoothLocalDevice::HostPoweredOff)
        return BluetoothState::PoweredOff;
    return BluetoothState::PoweredOn;
}
