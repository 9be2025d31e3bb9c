#include "model/LocationProvider.h"

#include "model/QtLocationProvider.h"
#include "platform/core/ServiceRegistry.h"

namespace {
class QtLocationProviderFactory : public LocationProviderFactory {
public:
    std::shared_ptr<LocationProvider> create() override {
        return std::make_shared<QtLocationProvider>();
    }
};
} // namespace

std::shared_ptr<LocationProvider> LocationProvider::create() {
    return Services::getOrDefault<LocationProviderFactory, QtLocationProviderFactory>()->create();
}

void LocationProvider::deliver(const std::vector<LocationCoordinate>& locations) {
    if (delegate_)
        delegate_->locationManagerDidUpdateLocations(*this, locations);
}
