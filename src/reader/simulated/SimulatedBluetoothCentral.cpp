#include "reader/simulated/SimulatedBluetoothCentral.h"

#include "reader/service/ReaderFinder.h"
#include "reader/simulated/SimulatedReader.h"

SimulatedBluetoothCentral::SimulatedBluetoothCentral(SimulatedReader* world)
    : world_(world) {}

SimulatedBluetoothCentral::~SimulatedBluetoothCentral() {
    stopScan();
    if (world_)
        world_->centrals_.remove(this);
}

void SimulatedBluetoothCentral::detach() {
    stopScan();
    world_ = nullptr;
}

void SimulatedBluetoothCentral::setListener(BluetoothCentralListener* listener) {
    listener_.set(listener);
    if (listener && !stateReported_ && world_) {
        stateReported_ = true;
        listener_.post(world_->delays().stepMs, [this](BluetoothCentralListener& l) {
            l.centralManagerDidUpdateState(state());
        });
    }
}

int SimulatedBluetoothCentral::state() const {
    return world_ ? world_->bluetoothState() : BluetoothState::PoweredOff;
}

void SimulatedBluetoothCentral::scanForPeripherals() {
    if (!world_)
        return;
    world_->record(QStringLiteral("central.scan"));
    if (state() != BluetoothState::PoweredOn)
        return;
    stopScan();
    scanning_ = true;
    for (const SimulatedReaderDevice& reader : world_->readers())
        readerAdded(reader.name, reader.rssi, reader.appearsAfterMs, reader.seenByCentral);
}

void SimulatedBluetoothCentral::readerAdded(const QString& name, std::optional<int> rssi,
                                            int appearsAfterMs, bool seenByCentral) {
    if (!scanning_ || !seenByCentral || !rssi)
        return;
    const int strength = *rssi;
    const quint64 scan = scan_;
    listener_.post(appearsAfterMs, [this, name, strength, scan](BluetoothCentralListener& l) {
        if (scanning_ && scan == scan_)
            l.centralManagerDidDiscoverPeripheral(name, strength);
    });
}

void SimulatedBluetoothCentral::stopScan() {
    if (scanning_ && world_)
        world_->record(QStringLiteral("central.stop"));
    scanning_ = false;
    ++scan_;
}

void SimulatedBluetoothCentral::bluetoothChanged(int state) {
    if (state != BluetoothState::PoweredOn) {
        scanning_ = false;
        ++scan_;
    }
    listener_.post(world_ ? world_->delays().stepMs : 0,
                   [state](BluetoothCentralListener& l) { l.centralManagerDidUpdateState(state); });
}
