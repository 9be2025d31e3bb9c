#include "SDK/SDKAPI.h"

SDKAPI::SDKAPI() = default;
SDKAPI::~SDKAPI() = default;

void SDKAPI::loginThenDo(std::function<void()> /*callback*/) {
    // Requests to the back end are not in this build yet: the operation ends at once.
    finish(TarvelloError{TarvelloError::sdkDomain, 0, QStringLiteral("Not available yet"), nullptr}
               .toResult(),
           false);
}

void SDKAPI::finish(const QVariantMap& result, bool success) {
    loginDone_ = nullptr;
    if (completion_)
        completion_(result, success);
}
