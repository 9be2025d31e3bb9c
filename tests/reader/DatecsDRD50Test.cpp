#include "platform/ui/Clock.h"
#include "platform/ui/Services.h"
#include "platform/ui/View.h"
#include "reader/views/Datecs_DRD50.h"

#include <gtest/gtest.h>

namespace drd50_test {

// The picture on a shown host of the given height, on the manual clock, with the main screen
// of the given height.
struct ShownDRD50 {
    ScopedManualClock clock;
    QSize previousScreen = Device::current().screenSize();
    QWidget host;
    Datecs_DRD50* view;
    ShownDRD50(int height, int screenHeight) {
        Device::current().setScreenSize(QSize(320, screenHeight));
        host.resize(320, height);
        view = new Datecs_DRD50(&host);
        view->setGeometry(0, 0, 320, height);
        host.show();
        clock->advance(0); // the layout pass's set-up
    }
    ~ShownDRD50() { Device::current().setScreenSize(previousScreen); }
};

TEST(DatecsDRD50, StartPositionsFollowTheScreenLayout) {
    struct Case {
        int height;
        int screen;
        int readerY, phoneY, swipeY;
    } cases[] = {
        {504, 480, 14, 288, 36},    // the 480 layout whatever the view's height
        {504, 568, 235, -276, 213}, // tall: measured from the bottom
        {600, 568, 331, -180, 309}, // 96 points lower
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.height * 1000 + c.screen);
        ShownDRD50 s(c.height, c.screen);
        EXPECT_EQ(s.view->reader()->y(), c.readerY);
        EXPECT_EQ(s.view->iphone()->y(), c.phoneY);
        EXPECT_EQ(s.view->cardSwipe()->y(), c.swipeY);
        EXPECT_EQ(s.view->cardSwipe()->x(), -s.view->cardSwipe()->width());
        EXPECT_EQ(s.view->reader()->x(), (320 - s.view->reader()->width()) / 2);
        EXPECT_TRUE(s.view->cardChip()->isHidden());
    }
}

TEST(DatecsDRD50, ReaderCycleJoinsThePhoneOnlyOnceConnected) {
    ShownDRD50 s(504, 568);
    s.clock->advance(1000); // approach
    EXPECT_EQ(s.view->reader()->y(), 158);
    EXPECT_EQ(s.view->readerBack()->y(), 158);
    s.clock->advance(500); // not connected: fade out, back to the start, fade in
    EXPECT_DOUBLE_EQ(View::alpha(s.view->reader()), 0);
    EXPECT_EQ(s.view->reader()->y(), 235);
    s.view->deviceConnected();
    s.clock->advance(500 + 500 + 1000); // pause, then the next approach ends connected
    s.clock->advance(500);              // joined
    EXPECT_EQ(s.view->reader()->y(), 47);
    EXPECT_EQ(s.view->iphone()->y(), -387);
    EXPECT_FALSE(s.view->cardChip()->isHidden());
    // The card cycle: in, fade, swipe.
    EXPECT_EQ(s.view->cardChip()->y(), 504 + 10);
    s.clock->advance(1000);
    EXPECT_EQ(s.view->cardChip()->y(), 188);
    s.clock->advance(1000 + 3000);
    EXPECT_EQ(s.view->cardSwipe()->x(), 320);
    EXPECT_EQ(s.view->pendingDelayedCalls("animateCard"), 1);
}

TEST(DatecsDRD50, InsertedOrSwipedCardsEndTheCardCycle) {
    ShownDRD50 s(504, 568);
    s.view->deviceConnected();
    s.clock->advance(1500); // approach and join: the card cycle starts
    s.view->cardInserted();
    s.clock->advance(1000);
    EXPECT_EQ(s.view->cardChip()->y(), 188); // stays inserted
    s.clock->advance(10000);
    EXPECT_EQ(s.clock->pendingCount(), 0);

    // Restart clears the card and, still connected, starts the card cycle again.
    s.view->restartAnimations();
    s.clock->advance(500);
    EXPECT_FALSE(s.view->cardWasInserted());
    EXPECT_EQ(s.view->cardChip()->y(), 504 + 10);
    s.view->cardSwiped();
    s.clock->advance(1000 + 1000 + 3000);
    EXPECT_EQ(s.view->pendingDelayedCalls("animateCard"), 0);

    // A disconnection at the end of a pass takes the picture back to the reader cycle.
    s.view->deviceDisconnected();
    s.view->deviceConnected();
    s.view->restartAnimations();
    s.clock->advance(500 + 1000);
    s.view->deviceDisconnected();
    s.clock->advance(1000 + 3000 + 500 + 500);
    EXPECT_EQ(s.view->reader()->y(), 235);
    EXPECT_EQ(s.view->pendingDelayedCalls("animateReader"), 1);
}

TEST(DatecsDRD50, ConnectionErrorColumnFollowsTheViewHeight) {
    struct Case {
        int height;
        int firstY, connectAgainY;
        bool connectPictureShown;
    } cases[] = {
        {416, 24, 44, false},
        {504, 24, 24 + 44 + 25 + 40 + 8, true},
        {505, 34, 34 + 44 + 40 + 40 + 8, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.height);
        ShownDRD50 s(c.height, 568);
        QWidget* panel = s.view->connectionError("<b>Sin conexión</b>", "a", "b", "c");
        ASSERT_EQ(panel, s.view->connectionErrorView());
        EXPECT_EQ(s.view->connectionErrorLabel()->y(), c.firstY);
        EXPECT_EQ(s.view->connectAgainLabel()->y(), c.connectAgainY);
        EXPECT_EQ(!s.view->connectImg()->isHidden(), c.connectPictureShown);
        const int gap = c.height == 416 ? 30 : c.height > 504 ? 40 : 25;
        EXPECT_EQ(s.view->chargeImg()->y(), c.connectAgainY + 40 + gap);
        EXPECT_EQ(s.view->connectionErrorScroll()->geometry(), QRect(0, 0, 320, c.height));
        EXPECT_EQ(s.view->connectionErrorLabel()->text(), "<b>Sin conexión</b>");
        EXPECT_EQ(s.view->connectionErrorLabel()->x(), (320 - 280) / 2);
    }
}

struct ClosingHost : QObject, Datecs_DRD50_Delegate {
    int closed = 0;
    bool lowBatteryViewClosed() override {
        ++closed;
        return true;
    }
};

TEST(DatecsDRD50, LowBatteryPanelReportsItsCloseOnlyWhenStillWorking) {
    ShownDRD50 s(504, 568);
    ClosingHost host;
    s.view->setDelegate(&host);
    QWidget* panel = s.view->lowBatteryWithTitle("Batería baja", "Cargá el lector", false);
    EXPECT_EQ(s.view->lowBatteryTitle()->text(), "Batería baja");
    EXPECT_TRUE(s.view->closeLowBatteryViewButton()->isHidden());
    s.view->lowBatteryWithTitle("Batería baja", "Cargá el lector", true);
    EXPECT_EQ(s.view->closeLowBatteryViewButton()->geometry(), QRect(0, 0, 320, 504));
    EXPECT_FALSE(s.view->closeLowBatteryViewButton()->isHidden());
    s.view->closeLowBatteryViewButton()->click();
    EXPECT_EQ(host.closed, 1);
    EXPECT_EQ(panel, s.view->lowBatteryView()); // the panel stays for the host to remove
    s.view->setDelegate(nullptr);
    s.view->closeLowBatteryViewButton()->click();
    EXPECT_EQ(host.closed, 1);
    // Offsets of zero or less only centre.
    EXPECT_EQ(s.view->arrangeFrames(QRect(0, 50, 100, 10), -20), QRect(110, 50, 100, 10));
    EXPECT_EQ(s.view->arrangeFrames(QRect(0, 50, 100, 10), 10), QRect(110, 60, 100, 10));
}

} // namespace drd50_test
