#include "ui_kit/TweenProperty.h"
#include "platform/ui/Clock.h"

#include <QList>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct TweenRecord {
    QList<float> values;
    int done = 0;
};

std::unique_ptr<TweenProperty> recordedTween(double from, double to, double time, QObject* target,
                                             TweenRecord& record, bool withDone = true) {
    TweenProperty::Done done;
    if (withDone)
        done = [&record] { ++record.done; };
    return std::make_unique<TweenProperty>(
        from, to, time, target, [&record](float value) { record.values << value; }, done);
}

} // namespace

TEST(TweenProperty, DeliversTheValuesBelowTheEndThenTheEndNotice) {
    struct Case {
        double from, to, time;
        QList<float> values;
    } cases[] = {
        {0, 3, 0.1, {1.0f, 2.0f}},
        {0, 3, 0, {}},
        {0, 3, 1.0 / 30.0, {}},
        {7, 7, 0.1, {7.0f, 7.0f}},
    };
    for (const Case& c : cases) {
        ScopedManualClock clock;
        QObject target;
        TweenRecord record;
        auto tween = recordedTween(c.from, c.to, c.time, &target, record);
        tween->start();
        EXPECT_TRUE(tween->isRunning());
        clock->advance(5000);
        EXPECT_EQ(record.values, c.values) << c.time;
        EXPECT_EQ(record.done, 1);
        EXPECT_FALSE(tween->isRunning());
    }

    ScopedManualClock clock;
    QObject target;
    TweenRecord record;
    auto tween = recordedTween(0, 100, 2, &target, record, false);
    tween->start();
    clock->advance(10000);
    ASSERT_EQ(record.values.size(), 59);
    EXPECT_FLOAT_EQ(record.values.first(), 100.0f / 60);
    EXPECT_NEAR(record.values.last(), 98.33f, 0.01);
    EXPECT_EQ(clock->pendingCount(), 0);
}

TEST(TweenProperty, StopRestartAndAGoneTargetEndIt) {
    ScopedManualClock clock;
    QObject target;
    TweenRecord record;
    auto tween = recordedTween(0, 3, 0.1, &target, record);

    tween->start();
    tween->stop();
    clock->advance(1000);
    EXPECT_TRUE(record.values.isEmpty());
    EXPECT_EQ(record.done, 0);

    // Stopped between a tick and its delivery: the value scheduled is dropped too.
    tween->start();
    tween->update();
    tween->stop();
    clock->advance(1000);
    EXPECT_TRUE(record.values.isEmpty());

    // A second start keeps one timer and begins again.
    tween->start();
    clock->advance(40);
    tween->start();
    clock->advance(1000);
    EXPECT_EQ(record.values, QList<float>({1.0f, 1.0f, 2.0f}));
    EXPECT_EQ(record.done, 1);

    TweenRecord orphan;
    auto target2 = std::make_unique<QObject>();
    auto tween2 = recordedTween(0, 3, 1, target2.get(), orphan);
    tween2->start();
    clock->advance(40);
    target2.reset();
    clock->advance(2000);
    EXPECT_EQ(orphan.values.size(), 1);
    EXPECT_EQ(orphan.done, 0);
    EXPECT_FALSE(tween2->isRunning());
}
