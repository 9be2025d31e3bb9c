#pragma once

#include <QString>

// Bluetooth power states, numbered as the reader finder and the Bluetooth central report them.
namespace BluetoothState {
constexpr int Unknown = 0;
constexpr int Resetting = 1;
constexpr int Unsupported = 2;
constexpr int Unauthorized = 3;
constexpr int PoweredOff = 4;
constexpr int PoweredOn = 5;
} // namespace BluetoothState

// What a reader finder reports. Unlike the reader service, the finder may call from any
// thread: a receiver hops to the main thread before it touches its state. A call never
// arrives after setListener() with another receiver (or none) has returned.
class ReaderFinderListener {
public:
    virtual ~ReaderFinderListener() = default;
    // A reader was found, by its Bluetooth name.
    virtual void onBluetoothName2Mode(const QString& name) = 0;
    // The scan ran for its whole length.
    virtual void finishScanQPos2Mode() = 0;
    virtual void bluetoothIsPowerOff2Mode() = 0;
    virtual void bluetoothIsPowerOn2Mode() = 0;
    virtual void bluetoothUnauthorized2Mode() {}
};

// Scans for readers by Bluetooth name. Made by ReaderFactory; driven from the main thread.
class ReaderFinder {
public:
    virtual ~ReaderFinder() = default;
    // Not owned; null silences the finder. Once it returns, the previous listener gets no
    // further call.
    virtual void setListener(ReaderFinderListener* listener) = 0;
    // The finder's view of Bluetooth (BluetoothState); Unknown until it has learnt it.
    virtual int state() const = 0;
    // Scans for that many seconds; every reader in range is reported once per scan.
    virtual void scan(qint64 seconds) = 0;
    virtual void stop() = 0;
};
