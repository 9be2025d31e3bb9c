#include "reader/bluetooth/BluetoothReaderFactory.h"

#include "reader/bluetooth/BluetoothLowEnergyCentral.h"
#include "reader/bluetooth/BluetoothReaderFinder.h"
#include "reader/bluetooth/BluetoothReaderService.h"

std::shared_ptr<ReaderService> BluetoothReaderFactory::sharedService() {
    if (!service_)
        service_ = std::make_shared<BluetoothReaderService>();
    return service_;
}

std::unique_ptr<ReaderFinder> BluetoothReaderFactory::makeFinder() {
    return std::make_unique<BluetoothReaderFinder>();
}

std::unique_ptr<BluetoothCentral> BluetoothReaderFactory::makeCentral() {
    return std::make_unique<BluetoothLowEnergyCentral>();
}
