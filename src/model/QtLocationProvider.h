#pragma once

#include "model/LocationProvider.h"

#include <QObject>

class QGeoPositionInfoSource;

// Location through Qt Positioning. Where the machine has no position source, no fix ever comes.
class QtLocationProvider : public QObject, public LocationProvider {
    Q_OBJECT
public:
    QtLocationProvider();
    ~QtLocationProvider() override;

    void requestWhenInUseAuthorization() override;
    void startUpdatingLocation() override;
    void stopUpdatingLocation() override;
    std::optional<LocationCoordinate> lastKnownLocation() const override;

private:
    QGeoPositionInfoSource* source_ = nullptr;
    bool updating_ = false;
};
