#pragma once

#include <memory>
#include <optional>
#include <vector>

// A latitude and longitude in degrees. The invalid coordinate (-180, -180) stands for "no fix".
struct LocationCoordinate {
    double latitude = -180;
    double longitude = -180;

    static LocationCoordinate invalid() { return {}; }
    bool isValid() const {
        return latitude >= -90 && latitude <= 90 && longitude >= -180 && longitude <= 180 &&
               !(latitude == -180 && longitude == -180);
    }
};

class LocationProvider;

// Receives the fixes of a location provider, on the main thread.
class LocationProviderDelegate {
public:
    virtual ~LocationProviderDelegate() = default;
    virtual void
    locationManagerDidUpdateLocations(LocationProvider& provider,
                                      const std::vector<LocationCoordinate>& locations) = 0;
};

// The device's location source: ask for permission while in use, start updates, read the last
// known fix, report fixes to one delegate (not owned). Providers come from the
// LocationProviderFactory in force: Qt Positioning by default; tests and the demo install a
// factory of their own through Services.
class LocationProvider {
public:
    virtual ~LocationProvider() = default;

    virtual void requestWhenInUseAuthorization() = 0;
    // Best accuracy, every movement reported.
    virtual void startUpdatingLocation() = 0;
    virtual void stopUpdatingLocation() = 0;
    // None while no fix has ever arrived.
    virtual std::optional<LocationCoordinate> lastKnownLocation() const = 0;

    LocationProviderDelegate* delegate() const { return delegate_; }
    void setDelegate(LocationProviderDelegate* delegate) { delegate_ = delegate; }

    // A new provider from the factory in force; null when it offers none.
    static std::shared_ptr<LocationProvider> create();

protected:
    // Hands fixes to the delegate, if any.
    void deliver(const std::vector<LocationCoordinate>& locations);

private:
    LocationProviderDelegate* delegate_ = nullptr;
};

// Makes the location providers; a service installed through Services.
class LocationProviderFactory {
public:
    virtual ~LocationProviderFactory() = default;
    // A new provider; null when there is none to offer.
    virtual std::shared_ptr<LocationProvider> create() = 0;
};
