#include "model/QtLocationProvider.h"

#include <QGeoPositionInfoSource>

QtLocationProvider::QtLocationProvider() {
    source_ = QGeoPositionInfoSource::createDefaultSource(this);
    if (!source_)
        return;
    source_->setPreferredPositioningMethods(QGeoPositionInfoSource::AllPositioningMethods);
    source_->setUpdateInterval(0);
    connect(source_, &QGeoPositionInfoSource::positionUpdated, this,
            [this](const QGeoPositionInfo& info) {
                if (!info.isValid())
                    return;
                const QGeoCoordinate c = info.coordinate();
                deliver({LocationCoordinate{c.latitude(), c.longitude()}});
            });
}

QtLocationProvider::~QtLocationProvider() = default;

void QtLocationProvider::requestWhenInUseAuthorization() {
    // Qt asks the platform for permission when updates start.
}

void QtLocationProvider::startUpdatingLocation() {
    // Asked again while running (a sale reset), the source keeps its updates going.
    if (!source_ || updating_)
        return;
    updating_ = true;
    source_->startUpdates();
}

void QtLocationProvider::stopUpdatingLocation() {
    if (!source_ || !updating_)
        return;
    updating_ = false;
    source_->stopUpdates();
}

std::optional<LocationCoordinate> QtLocationProvider::lastKnownLocation() const {
    if (!source_)
        return std::nullopt;
    const QGeoPositionInfo info = source_->lastKnownPosition();
    if (!info.isValid() || !info.coordinate().isValid())
        return std::nullopt;
    return LocationCoordinate{info.coordinate().latitude(), info.coordinate().longitude()};
}
