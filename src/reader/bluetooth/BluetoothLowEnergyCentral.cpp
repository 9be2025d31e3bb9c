#include "reader/bluetooth/BluetoothLowEnergyCentral.h"

#include "platform/core/Logging.h"
#include "reader/bluetooth/BluetoothPower.h"

BluetoothLowEnergyCentral::BluetoothLowEnergyCentral()
    : local_(new QBluetoothLocalDevice(&context_))
    , agent_(new QBluetoothDeviceDiscoveryAgent(&context_)) {
    agent_->setLowEnergyDiscoveryTimeout(0); // until stopped
    QObject::connect(local_, &QBluetoothLocalDevice::hostModeStateChanged, &context_, [this] {
        const int now = state();
        if (now != BluetoothState::PoweredOn)
            scanning_ = false;
        listener_.post(0,
                       [now](BluetoothCentralListener& l) { l.centralManagerDidUpdateState(now); });
    });
    QObject::connect(agent_, &QBluetoothDeviceDiscoveryAgent::deviceDiscovered, &context_,
                     [this](const QBluetoothDeviceInfo& info) { discovered(info); });
    QObject::connect(agent_, &QBluetoothDeviceDiscoveryAgent::deviceUpdated, &context_,
                     [this](const QBluetoothDeviceInfo& info, QBluetoothDeviceInfo::Fields fields) {
                         if (fields & QBluetoothDeviceInfo::Field::RSSI)
                             discovered(info);
                     });
    QObject::connect(agent_, &QBluetoothDeviceDiscoveryAgent::errorOccurred, &context_, [this] {
        Logging::warning(tarvelloReader,
                         QStringLiteral("Bluetooth scan failed: %1").arg(agent_->errorString()));
        scanning_ = false;
    });
}

BluetoothLowEnergyCentral::~BluetoothLowEnergyCentral() {
    stopScan();
}

void BluetoothLowEnergyCentral::setListener(BluetoothCentralListener* listener) {
    listener_.set(listener);
    if (listener && !stateReported_) {
        stateReported_ = true;
        const int now = state();
        listener_.post(0,
                       [now](BluetoothCentralListener& l) { l.centralManagerDidUpdateState(now); });
    }
}

int BluetoothLowEnergyCentral::state() const {
    return bluetoothStateOf(*local_);
}

void BluetoothLowEnergyCentral::scanForPeripherals() {
    if (scanning_ || state() != BluetoothState::PoweredOn)
        return;
    scanning_ = true;
    agent_->start(QBluetoothDeviceDiscoveryAgent::LowEnergyMethod);
}

void BluetoothLowEnergyCentral::stopScan() {
    if (!scanning_)
        return;
    scanning_ = false;
    agent_->stop();
}

void BluetoothLowEnergyCentral::discovered(const QBluetoothDeviceInfo& info) {
    if (!scanning_)
        return;
    const QString name = info.name();
    const int rssi = info.rssi();
    listener_.post(0, [name, rssi](BluetoothCentralListener& l) {
        l.centralManagerDidDiscoverPeripheral(name, rssi);
    });
}
