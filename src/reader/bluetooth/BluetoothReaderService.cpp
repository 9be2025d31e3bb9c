#include "reader/bluetooth/BluetoothReaderService.h"

#include "platform/core/Logging.h"

bool BluetoothReaderService::connect(const QString& bluetoothName) {
    Logging::warning(tarvelloReader,
                     QStringLiteral("Cannot connect the reader %1: its driver is not part of this "
                                    "build. Choose the simulated reader with TARVELLO_READER="
                                    "simulated.")
                         .arg(bluetoothName));
    listener_.post(0, [](ReaderServiceListener& l) { l.onRequestNoQposDetected(); });
    return false;
}
