#include "model/LocationProvider.h"

#include "model/QtLocationProvider.h"

namespace {
LocationProvider::Factory& factory() {
    static LocationProvider::Factory current;
    return current;
}
} // namespace

std::shared_ptr<LocationProvider> LocationProvider::create() {
    if (factory())
        return factory()();
    return std::make_shared<QtLocationProvider>();
}

void LocationProvider::setFactory(Factory factory_) {
    factory() = std::move(factory_);
}

void LocationProvider::deliver(const std::vector<LocationCoordinate>& locations) {
    if (delegate_)
        delegate_->locationManagerDidUpdateLocations(*this, locations);
}
