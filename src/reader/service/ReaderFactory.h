#pragma once

#include "reader/service/BluetoothCentral.h"
#include "reader/service/ReaderFinder.h"
#include "reader/service/ReaderService.h"

#include <QString>
#include <memory>

// Makes the reader side: the one shared reader service, reader finders and Bluetooth centrals.
// The factory in force is a service: one installed with Services::set<ReaderFactory>() (tests,
// the demo, TarvelloSDK::setCardReaderKind), else the kind named by the environment variable
// TARVELLO_READER: "bluetooth" (the default) or "simulated".
class ReaderFactory {
public:
    static constexpr const char* kBluetooth = "bluetooth";
    static constexpr const char* kSimulated = "simulated";

    virtual ~ReaderFactory() = default;

    // The factory in force.
    static std::shared_ptr<ReaderFactory> current();
    // A new factory of that kind ("bluetooth" or "simulated", any case); null for another text.
    static std::shared_ptr<ReaderFactory> makeKind(const QString& kind);
    // The kind TARVELLO_READER names; "bluetooth" when it is unset or unknown.
    static QString configuredKind();

    virtual QString kind() const = 0;
    // The same service for every call on this factory.
    virtual std::shared_ptr<ReaderService> sharedService() = 0;
    virtual std::unique_ptr<ReaderFinder> makeFinder() = 0;
    virtual std::unique_ptr<BluetoothCentral> makeCentral() = 0;
};
