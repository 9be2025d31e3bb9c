#include "reader/service/ReaderFactory.h"

#include "platform/core/Logging.h"
#include "platform/core/ServiceRegistry.h"
#include "reader/bluetooth/BluetoothReaderFactory.h"
#include "reader/simulated/SimulatedReader.h"

#include <QProcessEnvironment>

std::shared_ptr<ReaderFactory> ReaderFactory::current() {
    return std::static_pointer_cast<ReaderFactory>(
        Services::serviceOrDefault(std::type_index(typeid(ReaderFactory)), [] {
            return std::static_pointer_cast<void>(makeKind(configuredKind()));
        }));
}

std::shared_ptr<ReaderFactory> ReaderFactory::makeKind(const QString& kind) {
    const QString name = kind.trimmed().toLower();
    if (name == QLatin1String(kSimulated))
        return SimulatedReader::withDefaultReaders();
    if (name == QLatin1String(kBluetooth))
        return std::make_shared<BluetoothReaderFactory>();
    return nullptr;
}

QString ReaderFactory::configuredKind() {
    const QString value = qEnvironmentVariable("TARVELLO_READER").trimmed().toLower();
    if (value.isEmpty() || value == QLatin1String(kBluetooth))
        return QString::fromLatin1(kBluetooth);
    if (value == QLatin1String(kSimulated))
        return QString::fromLatin1(kSimulated);
    Logging::warning(tarvelloReader, QStringLiteral("Unknown TARVELLO_READER \"%1\"; using %2")
                                         .arg(value, QLatin1String(kBluetooth)));
    return QString::fromLatin1(kBluetooth);
}
