#include "platform/ui/Clock.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"
#include "reader/views/A19.h"
#include "reader/views/DSpreadPinpad.h"
#include "ui_kit/AlertController.h"

#include <QLabel>
#include <gtest/gtest.h>
#include <memory>

namespace illustration_test {

// The illustration on a shown 320 x 568 host, on the manual clock.
template <class T> struct Shown {
    ScopedManualClock clock;
    QWidget host;
    T* view;
    Shown() {
        host.resize(320, 568);
        view = new T(&host);
        view->setGeometry(0, 0, 320, 568);
        host.show();
    }
    void advance(int ms) { clock->advance(ms); }
    QString badge() const { return view->noConnection()->imageName(); }
    double badgeAlpha() const { return View::alpha(view->noConnection()); }
};

// The card loop of the pinpad picture, phase by phase (A 1.0 s, B 0.5, C 1.0, D 1.0, E 0.5,
// F 2.0, then 0.5 s before the next pass).
TEST(ReaderIllustration, ConnectedReaderRunsTheCardLoopPhaseByPhase) {
    Shown<DSpreadPinpad> s;
    s.view->startSearching();
    const QRect connected = s.view->connectedReaderFrame();
    // c = H / 2 - 0.35 x reader height; the reader centred across.
    EXPECT_EQ(connected, QRect(95, 284 - 77, 130, 220));
    EXPECT_EQ(s.view->disconnectedReaderFrame(), QRect(95, 174, 130, 220));
    EXPECT_EQ(s.view->cardChip()->x(), 330); // just off the right edge
    EXPECT_EQ(s.view->cardSwipe()->x(), -s.view->cardSwipe()->width());

    s.view->deviceConnected();
    s.view->startAnimations();
    EXPECT_FALSE(s.view->searchingDevice());
    EXPECT_TRUE(s.view->cardAnimated());
    EXPECT_FALSE(s.view->cardChip()->isHidden());
    s.advance(1000); // A
    EXPECT_EQ(s.view->reader()->geometry(), connected);
    EXPECT_DOUBLE_EQ(s.badgeAlpha(), 0);
    s.advance(500); // B: the reader's centre line where the chip card stops
    const int chipStop = 320 - 100 - 10;
    EXPECT_EQ(s.view->reader()->x(), chipStop - 65);
    EXPECT_EQ(s.view->readerFront()->geometry(), s.view->reader()->geometry());
    s.advance(1000); // C
    EXPECT_EQ(s.view->cardChip()->x(), chipStop);
    s.advance(1000); // D
    EXPECT_DOUBLE_EQ(View::alpha(s.view->cardChip()), 0);
    s.advance(500); // E, then the chip card goes back off the edge
    EXPECT_EQ(s.view->reader()->geometry(), connected);
    EXPECT_EQ(s.view->cardChip()->x(), 330);
    EXPECT_DOUBLE_EQ(View::alpha(s.view->cardChip()), 1);
    s.advance(2000); // F
    EXPECT_EQ(s.view->cardSwipe()->x(), 320);
    EXPECT_FALSE(s.view->cardAnimated());
    EXPECT_EQ(s.view->pendingDelayedCalls("animateCard"), 1);
    s.advance(500);
    EXPECT_TRUE(s.view->cardAnimated()); // the next pass began
    EXPECT_EQ(s.view->cardSwipe()->x(), -s.view->cardSwipe()->width());
}

// The three badge loops: searching, Bluetooth off and not connected.
TEST(ReaderIllustration, BadgeLoopsPulseTheirBadgeUntilTheirConditionEnds) {
    struct Case {
        const char* name;
        std::function<void(DSpreadPinpad*)> start;
        const char* badge;
        std::function<void(DSpreadPinpad*)> end; // null: only leaving the window ends it
    } cases[] = {
        {"searching", [](DSpreadPinpad* v) { v->startSearching(); }, "waitBadge.png",
         [](DSpreadPinpad* v) { v->searchComplete(); }},
        {"bluetooth off", [](DSpreadPinpad* v) { v->bluetoothOff(); }, "bluetoothBadge.png",
         [](DSpreadPinpad* v) { v->bluetoothTurnedOn(); }},
        {"not connected",
         [](DSpreadPinpad* v) {
             v->deviceDisconnected();
             v->startAnimations();
         },
         "noconnection.png", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Shown<DSpreadPinpad> s;
        s.view->initialReaderPosition();
        c.start(s.view);
        EXPECT_EQ(s.badge(), c.badge);
        s.advance(350);
        EXPECT_DOUBLE_EQ(s.badgeAlpha(), 1);
        EXPECT_EQ(s.view->reader()->geometry(), s.view->disconnectedReaderFrame());
        // The badge sits on the reader's middle.
        EXPECT_EQ(s.view->noConnection()->geometry().center().y(),
                  s.view->reader()->geometry().center().y());
        s.advance(1000 + 350);
        EXPECT_DOUBLE_EQ(s.badgeAlpha(), 0);
        s.advance(350); // the next pass
        EXPECT_DOUBLE_EQ(s.badgeAlpha(), 1);
        if (c.end) {
            c.end(s.view);
            s.advance(1350); // this pass ends and no other begins
            s.advance(5000);
            EXPECT_DOUBLE_EQ(s.badgeAlpha(), 0);
        } else {
            s.host.hide(); // leaving the window stops it
            s.advance(5000);
        }
        EXPECT_EQ(s.clock->pendingCount(), 0);
    }
}

TEST(ReaderIllustration, ReaderLoopHandsOverToTheCardLoopOnceConnected) {
    Shown<DSpreadPinpad> s;
    s.view->startSearching();
    s.view->deviceDisconnected();
    s.view->startAnimations();
    s.advance(200);
    // A second startAnimations only clears the search; the running loop hands over itself.
    s.view->deviceConnected();
    s.view->startAnimations();
    EXPECT_TRUE(s.view->cardChip()->isHidden());
    s.advance(2000);
    EXPECT_TRUE(s.view->cardAnimated());
    EXPECT_FALSE(s.view->cardChip()->isHidden());
}

TEST(ReaderIllustration, PresentedCardsStopTheLoopWhereTheyShould) {
    {
        SCOPED_TRACE("chip during phase E: this pass ends, the next stops with the card in");
        Shown<DSpreadPinpad> s;
        s.view->startSearching();
        s.view->deviceConnected();
        s.view->startAnimations();
        s.advance(1000 + 500 + 1000 + 1000 + 200);
        s.view->cardPresented(true);
        s.advance(300 + 2000 + 500 + 1000 + 500 + 1000);
        EXPECT_EQ(s.view->cardChip()->x(), 320 - 100 - 10);
        EXPECT_TRUE(s.view->cardAnimated());
        s.advance(10000);
        EXPECT_EQ(s.view->cardChip()->x(), 320 - 100 - 10);
        EXPECT_EQ(s.clock->pendingCount(), 0);
    }
    {
        SCOPED_TRACE("chip in the pause between passes: the pending pass is cancelled");
        Shown<DSpreadPinpad> s;
        s.view->startSearching();
        s.view->deviceConnected();
        s.view->startAnimations();
        s.advance(6000 + 200);
        s.view->cardPresented(true);
        s.advance(5000);
        EXPECT_FALSE(s.view->cardAnimated());
        EXPECT_EQ(s.view->cardChip()->x(), 330);
    }
    {
        SCOPED_TRACE("swipe: the loop stops after its swipe pass");
        Shown<DSpreadPinpad> s;
        s.view->startSearching();
        s.view->deviceConnected();
        s.view->startAnimations();
        s.advance(1200);
        s.view->cardPresented(false);
        s.advance(4800);
        EXPECT_EQ(s.view->cardSwipe()->x(), 320);
        EXPECT_FALSE(s.view->cardAnimated());
        EXPECT_EQ(s.view->pendingDelayedCalls("animateCard"), 0);
    }
}

TEST(ReaderIllustration, RestartAfterTheCardFadesResetsAndRunsTheCardLoopAgain) {
    Shown<DSpreadPinpad> s;
    s.view->startSearching();
    s.view->deviceConnected();
    s.view->startAnimations();
    s.advance(1000);
    s.view->cardPresented(true);
    s.advance(2000);
    s.view->restartAnimations();
    s.advance(500);
    EXPECT_DOUBLE_EQ(View::alpha(s.view->reader()), 0);
    EXPECT_DOUBLE_EQ(View::alpha(s.view->cardSwipe()), 0);
    s.advance(500);
    EXPECT_DOUBLE_EQ(View::alpha(s.view->reader()), 1);
    EXPECT_FALSE(s.view->chipCardWasPresented());
    EXPECT_TRUE(s.view->cardAnimated()); // the card loop is running again
    s.advance(2500);
    EXPECT_EQ(s.view->cardChip()->x(), 320 - 100 - 10);
}

TEST(ReaderIllustration, StoppingOrLeavingTheWindowLeavesNothingRunning) {
    Shown<DSpreadPinpad> s;
    s.view->startSearching();
    s.view->deviceConnected();
    s.view->startAnimations();
    s.advance(5900);
    s.view->stopAnimations();
    EXPECT_FALSE(s.view->readerAnimated());
    EXPECT_EQ(s.view->reader()->geometry(), s.view->disconnectedReaderFrame());
    s.host.hide(); // not in a window: the pass runs out and nothing new starts
    s.advance(10000);
    EXPECT_EQ(s.clock->pendingCount(), 0);
    EXPECT_EQ(s.view->pendingDelayedCalls("animateCard"), 0);

    // After a chip card, stop then connect again shows the reset picture without a loop until
    // restartAnimations clears the card.
    Shown<DSpreadPinpad> t;
    t.view->startSearching();
    t.view->deviceConnected();
    t.view->startAnimations();
    t.view->cardPresented(true);
    t.advance(3000);
    t.view->stopAnimations();
    t.view->deviceConnected();
    t.view->startAnimations();
    t.advance(3000);
    EXPECT_EQ(t.view->cardChip()->x(), 330);
    EXPECT_EQ(t.clock->pendingCount(), 0);
}

TEST(ReaderIllustration, HelpAlertHasThreeRowsAndTheCallersAction) {
    Shown<DSpreadPinpad> s;
    int handled = 0;
    QPointer<AlertController> alert =
        s.view->connectionErrorAlertControllerWithActionHandler([&](AlertAction*) { ++handled; });
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->title(), "No se pudo conectar el lector");
    ASSERT_EQ(alert->actions().size(), 1);
    EXPECT_EQ(alert->actions().first()->title(), "OK");
    Window window;
    window.setRootViewController(new ViewController());
    window.widget()->resize(375, 667);
    window.makeKeyAndVisible();
    window.rootViewController()->presentViewController(alert, false);
    const QList<QLabel*> labels = alert->view()->findChildren<QLabel*>();
    QStringList texts;
    for (QLabel* label : labels)
        texts << label->text();
    const QString all = texts.join('\n');
    EXPECT_TRUE(all.contains("<b>enciéndelo nuevamente.</b>")) << all.toStdString();
    EXPECT_TRUE(all.contains("<b>cable USB para cargarlo</b>"));
    EXPECT_TRUE(all.contains(DSpreadPinpad::supportPhoneNumber()));
    EXPECT_FALSE(s.view->swipeIcon().isNull());
    EXPECT_FALSE(s.view->connectionErrorIn(&s.host));
    EXPECT_TRUE(alert->tapActionWithTitle("OK"));
    s.advance(1000);
    EXPECT_EQ(handled, 1);
}

TEST(ReaderIllustration, OlderReaderBringsTheChipCardDownFromAbove) {
    Shown<A19> s;
    s.view->startSearching();
    EXPECT_DOUBLE_EQ(View::alpha(s.view->reader()), 0.5);
    EXPECT_EQ(s.view->reader()->geometry(), QRect(90, 180, 140, 200));
    const int chipHeight = s.view->cardChip()->height();
    EXPECT_EQ(s.view->cardChip()->y(), qRound(-(chipHeight * 1.2f * 1.2f)));
    s.view->deviceConnected();
    s.view->startAnimations();
    EXPECT_EQ(s.view->cardChip()->y(), qRound(-(chipHeight * 1.2f)));
    s.advance(1000); // A: the reader lights up
    EXPECT_DOUBLE_EQ(View::alpha(s.view->reader()), 1);
    s.advance(1000); // B: the chip card comes down
    EXPECT_EQ(s.view->cardChip()->y(), 0);
    s.advance(1000 + 2000); // C, D
    EXPECT_EQ(s.view->cardSwipe()->x(), 320);
    EXPECT_EQ(s.view->pendingDelayedCalls("animateCard"), 1);

    std::unique_ptr<AlertController> alert(
        s.view->connectionErrorAlertControllerWithActionHandler({}));
    EXPECT_EQ(alert->actions().first()->title(), "Entendido");
    EXPECT_EQ(DSpreadPinpad::rotateImage(QImage(10, 4, QImage::Format_ARGB32), true).size(),
              QSize(4, 10));
}

} // namespace illustration_test
