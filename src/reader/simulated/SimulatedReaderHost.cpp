#include "reader/simulated/SimulatedReaderHost.h"

#include "model/Sale.h"
#include "reader/DeviceSelectorList.h"

SimulatedReaderHost::SimulatedReaderHost(QObject* parent)
    : ViewController(parent)
    , sale_(std::make_shared<Sale>()) {}

SimulatedReaderHost::~SimulatedReaderHost() = default;

DeviceSelectorList* SimulatedReaderHost::createDeviceSelector() {
    selector = new DeviceSelectorList(this);
    return selector;
}

void SimulatedReaderHost::removeDeviceSelector() {
    delete selector;
    selector = nullptr;
}

void SimulatedReaderHost::setDeviceConnectionErrorAlertController(AlertController* alert) {
    help = alert;
    if (alert)
        ++helpShown;
}

void SimulatedReaderHost::showBatteryCharging(float charge, bool isCharging) {
    battery = charge;
    charging = isCharging;
}

void SimulatedReaderHost::showAcceptedCards() {
    ++cardWaits;
    if (onCardWait)
        onCardWait();
}

void SimulatedReaderHost::cancelProcessing(std::function<void()> completion) {
    processing = false;
    if (completion)
        completion();
}

void SimulatedReaderHost::processingTipWithBlock(float, std::function<void(bool)> completion) {
    if (completion)
        completion(true);
}
