#include "settings/history/WallClock.h"

#include "platform/core/ServiceRegistry.h"
#include "platform/ui/Clock.h"

namespace {

class SystemWallClock : public WallClock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace

QDateTime WallClock::currentMoment() {
    return Services::getOrDefault<WallClock, SystemWallClock>()->now();
}

FixedWallClock::FixedWallClock(QDateTime start)
    : start_(std::move(start))
    , startedAtMs_(Clock::current().now()) {}

QDateTime FixedWallClock::now() const {
    return start_.addMSecs(Clock::current().now() - startedAtMs_);
}
