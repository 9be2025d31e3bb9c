#include "SDK/session/SessionExpiry.h"

#include "platform/core/ServiceRegistry.h"

void SessionExpiry::expire() {
    if (const auto expiry = Services::get<SessionExpiry>())
        expiry->expireSession();
}
