#pragma once

#include "reader/service/ReaderFactory.h"

#include <memory>

// The reader side on the machine's Bluetooth (Qt Bluetooth): a central and a finder that scan
// for readers, and a service that cannot drive one, because the reader's driver is not part of
// this build: every connection ends in "not detected".
class BluetoothReaderFactory : public ReaderFactory {
public:
    QString kind() const override { return QString::fromLatin1(kBluetooth); }
    std::shared_ptr<ReaderService> sharedService() override;
    std::unique_ptr<ReaderFinder> makeFinder() override;
    std::unique_ptr<BluetoothCentral> makeCentral() override;

private:
    std::shared_ptr<ReaderService> service_;
};
