#include "reader/bluetooth/BluetoothReaderFinder.h"

#include "platform/core/Logging.h"
#include "reader/bluetooth/BluetoothPower.h"

#include <limits>

BluetoothReaderFinder::BluetoothReaderFinder()
    : local_(new QBluetoothLocalDevice(&context_))
    , agent_(new QBluetoothDeviceDiscoveryAgent(&context_)) {
    agent_->setLowEnergyDiscoveryTimeout(0);
    QObject::connect(local_, &QBluetoothLocalDevice::hostModeStateChanged, &context_, [this] {
        if (!listener_)
            return;
        if (state() == BluetoothState::PoweredOn) {
            listener_->bluetoothIsPowerOn2Mode();
        } else {
            stop();
            listener_->bluetoothIsPowerOff2Mode();
        }
    });
    QObject::connect(agent_, &QBluetoothDeviceDiscoveryAgent::deviceDiscovered, &context_,
                     [this](const QBluetoothDeviceInfo& info) {
                         const QString name = info.name();
                         if (!scanning_ || name.isEmpty() || reported_.contains(name))
                             return;
                         reported_.insert(name);
                         if (listener_)
                             listener_->onBluetoothName2Mode(name);
                     });
    QObject::connect(agent_, &QBluetoothDeviceDiscoveryAgent::errorOccurred, &context_, [this] {
        Logging::warning(
            tarvelloReader,
            QStringLiteral("Bluetooth reader scan failed: %1").arg(agent_->errorString()));
    });
}

BluetoothReaderFinder::~BluetoothReaderFinder() {
    listener_ = nullptr;
    stop();
}

void BluetoothReaderFinder::setListener(ReaderFinderListener* listener) {
    listener_ = listener;
}

int BluetoothReaderFinder::state() const {
    return bluetoothStateOf(*local_);
}

void BluetoothReaderFinder::scan(qint64 seconds) {
    stop();
    if (state() != BluetoothState::PoweredOn)
        return;
    scanning_ = true;
    reported_.clear();
    agent_->start(QBluetoothDeviceDiscoveryAgent::LowEnergyMethod);
    const qint64 lengthMs = qMin<qint64>(seconds * 1000, std::numeric_limits<int>::max());
    scanEnd_ = Clock::current().callAfter(int(lengthMs), &context_, [this] {
        scanEnd_ = 0;
        stop();
        if (listener_)
            listener_->finishScanQPos2Mode();
    });
}

void BluetoothReaderFinder::stop() {
    Clock::current().cancel(scanEnd_);
    scanEnd_ = 0;
    if (!scanning_)
        return;
    scanning_ = false;
    agent_->stop();
}
