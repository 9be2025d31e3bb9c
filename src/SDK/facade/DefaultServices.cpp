#include "SDK/facade/DefaultServices.h"

#include "SDK/login/LoginHelper.h"
#include "SDK/session/SessionExpiry.h"
#include "api/BackEndCatalogSource.h"
#include "api/NetworkImageConnection.h"
#include "platform/core/ServiceRegistry.h"

namespace {

// Marks the session expired and logs out.
class LoginSessionExpiry : public SessionExpiry {
public:
    void expireSession() override {
        LoginHelper helper;
        helper.expireSession();
    }
};

// Before any code of the host or of a test runs.
[[maybe_unused]] const bool installedOnLoad = (DefaultServices::install(), true);

} // namespace

namespace DefaultServices {

void install() {
    Services::setDefault<CatalogSource>(std::make_shared<BackEndCatalogSource>());
    Services::setDefault<SessionExpiry>(std::make_shared<LoginSessionExpiry>());
    Services::setDefault<ImageConnectionFactory>(std::make_shared<NetworkImageConnectionFactory>());
}

} // namespace DefaultServices
