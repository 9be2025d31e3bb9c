#pragma once

#include <QDateTime>
#include <memory>

// The present moment of the device's calendar. The system's by default; tests install a
// FixedWallClock through Services, which moves on with the Clock in force.
class WallClock {
public:
    virtual ~WallClock() = default;
    virtual QDateTime now() const = 0;

    // The moment from the wall clock in force.
    static QDateTime currentMoment();
};

// A wall clock that starts at a given moment and moves on as the Clock in force advances.
class FixedWallClock : public WallClock {
public:
    explicit FixedWallClock(QDateTime start);
    QDateTime now() const override;

private:
    QDateTime start_;
    qint64 startedAtMs_;
};
