#include <TarvelloSDK/TarvelloSDK.h>

#include "platform/core/ServiceRegistry.h"
#include "reader/service/ReaderFactory.h"

bool TarvelloSDK::setCardReaderKind(const QString& kind) {
    auto factory = ReaderFactory::makeKind(kind);
    if (!factory)
        return false;
    Services::set<ReaderFactory>(std::move(factory));
    return true;
}

QString TarvelloSDK::cardReaderKind() const {
    return ReaderFactory::current()->kind();
}
