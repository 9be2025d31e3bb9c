#include "Printers.h"
#include "platform/ui/Clock.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"
#include "ui_kit/CustomActivityView/ActivityIndicator.h"
#include "ui_kit/CustomActivityView/CustomActivityIndicatorView.h"
#include "ui_kit/CustomActivityView/CustomActivitySpinnerView.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QList<QWidget*> overlays(QWidget* host) {
    QList<QWidget*> found;
    for (QWidget* w : host->findChildren<QWidget*>())
        if (View::tag(w) == ActivityIndicator::kOverlayTag)
            found << w;
    return found;
}

// A tap where a person puts a finger: it reaches the topmost widget there.
void tap(QWidget* window, QPoint point) {
    QWidget* target = window->childAt(point);
    if (!target)
        target = window;
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(window, point));
}

struct OverlayFixture : ::testing::Test {
    void SetUp() override {
        host.resize(320, 480);
        host.show();
    }
    void settle() {
        clock->advance(ActivityIndicator::kFadeMs);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    ScopedManualClock clock;
    QWidget host;
};

} // namespace

TEST_F(OverlayFixture, ASecondRequestNeitherStacksNorChangesTheOverlay) {
    ActivityIndicator::displayLoadingIndicatorWithSizeTextBackgroundColorAlpha(&host, 34, "Wait",
                                                                               Qt::red, 0.5);
    ActivityIndicator::displayLoadingIndicatorWithSizeTextBackgroundColorAlpha(&host, 68, "Other",
                                                                               Qt::blue, 1.0);
    settle();
    ASSERT_EQ(overlays(&host).size(), 1);
    QWidget* overlay = overlays(&host).first();
    EXPECT_EQ(overlay->geometry(), host.rect());
    EXPECT_DOUBLE_EQ(View::alpha(overlay), 0.5); // half transparent from the first frame
    EXPECT_EQ(View::backgroundColor(overlay), QColor(Qt::red));
    auto* indicator = overlay->findChild<CustomActivityIndicatorView*>();
    ASSERT_NE(indicator, nullptr);
    EXPECT_EQ(indicator->size(), 34u);
    EXPECT_EQ(indicator->loadingLabel()->text(), "Wait");
    EXPECT_TRUE(indicator->activityView()->animating());
    EXPECT_EQ(indicator->geometry().center(), overlay->rect().center());
}

TEST_F(OverlayFixture, InsetsLeaveABandAndTheCoverTakesTheTouches) {
    auto* button = new QPushButton("Pay", &host);
    button->setGeometry(0, 0, 320, 480);
    button->show();
    int taps = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++taps; });
    ActivityIndicator::displayLoadingIndicatorWithSizeTextBackgroundColorAlphaInsetsAnimated(
        &host, 68, QString(), Qt::white, 1.0, QMargins(10, 10, 10, 10), false);
    QWidget* overlay = overlays(&host).first();
    EXPECT_EQ(overlay->geometry(), QRect(10, 10, 300, 460));
    // An empty caption gives a spinner without a label, 68 high.
    auto* indicator = overlay->findChild<CustomActivityIndicatorView*>();
    EXPECT_EQ(indicator->loadingLabel(), nullptr);
    EXPECT_EQ(indicator->height(), 68);

    tap(&host, QPoint(160, 240));
    tap(&host, QPoint(5, 5)); // the uncovered band
    EXPECT_EQ(taps, 1);
}

TEST_F(OverlayFixture, HidingFadesThenRemovesOnceAndAShowDuringTheFadeDoesNothing) {
    ActivityIndicator::displayLoadingIndicator(&host);
    settle();
    ActivityIndicator::hideLoadingIndicator(&host);
    clock->advance(ActivityIndicator::kFadeMs / 2);
    EXPECT_TRUE(ActivityIndicator::isDisplayingActivityIndicator(&host));
    ActivityIndicator::displayLoadingIndicator(&host);
    ActivityIndicator::hideLoadingIndicator(&host);
    settle();
    EXPECT_FALSE(ActivityIndicator::isDisplayingActivityIndicator(&host));
    EXPECT_TRUE(overlays(&host).isEmpty());
    ActivityIndicator::hideLoadingIndicatorAnimated(&host, false); // nothing to hide
}

// A screen that goes while its overlay appears or fades: nothing touches either afterwards
// (run under the sanitizers, any use of the half-destroyed overlay shows).
TEST(LoadingOverlay, AScreenDestroyedMidFadeIsLeftAlone) {
    for (const bool manual : {true, false}) {
        for (const bool hiding : {false, true}) {
            SCOPED_TRACE(std::string(manual ? "manual clock" : "real clock") +
                         (hiding ? ", fading out" : ", appearing"));
            std::optional<ScopedManualClock> clock;
            if (manual)
                clock.emplace();
            auto* screen = new QWidget;
            screen->resize(320, 480);
            screen->show();
            ActivityIndicator::displayLoadingIndicator(screen);
            if (hiding) {
                if (manual)
                    clock->clock().advance(ActivityIndicator::kFadeMs);
                else
                    QTest::qWait(2 * ActivityIndicator::kFadeMs);
                ActivityIndicator::hideLoadingIndicator(screen);
            }
            if (manual)
                clock->clock().advance(ActivityIndicator::kFadeMs / 2);
            else
                QTest::qWait(ActivityIndicator::kFadeMs / 2);
            QPointer<QWidget> overlay = overlays(screen).value(0);
            ASSERT_TRUE(overlay);
            delete screen;
            EXPECT_FALSE(overlay);
            if (manual) {
                clock->clock().advance(2 * ActivityIndicator::kFadeMs);
                EXPECT_EQ(clock->clock().pendingCount(), 0);
            } else {
                QTest::qWait(2 * ActivityIndicator::kFadeMs);
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
}

TEST_F(OverlayFixture, AnInnerOverlayBlocksShowingOnTheOuterViewAndIsHiddenFromIt) {
    auto* inner = new QWidget(&host);
    inner->resize(100, 100);
    ActivityIndicator::displayLoadingIndicatorAnimated(inner, false);
    ActivityIndicator::displayLoadingIndicatorAnimated(&host, false);
    EXPECT_EQ(overlays(&host).size(), 1);
    ActivityIndicator::hideLoadingIndicatorAnimated(&host, false);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(ActivityIndicator::isDisplayingActivityIndicator(inner));
}

TEST_F(OverlayFixture, AScreenInANavigationControllerCoversTheBar) {
    Window window;
    auto* screen = new ViewController();
    auto* nav = new NavigationController(screen);
    window.setRootViewController(nav);
    window.makeKeyAndVisible();
    EXPECT_EQ(screen->mainView(), nav->view());
    screen->displayLoadingIndicatorAnimated(false);
    EXPECT_TRUE(ActivityIndicator::isDisplayingActivityIndicator(nav->view()));
    EXPECT_EQ(overlays(nav->view()).first()->parentWidget(), nav->view());

    ViewController alone;
    EXPECT_EQ(alone.mainView(), alone.view());
}

TEST(LoadingSpinner, IsBuiltPausedAndRebuildsItsShapeWhenLost) {
    ScopedManualClock clock;
    CustomActivitySpinnerView spinner(Qt::red);
    EXPECT_EQ(spinner.size(), 68u);
    EXPECT_EQ(CustomActivitySpinnerView(Qt::red, 34.9).size(), 34u);
    EXPECT_FALSE(spinner.animating());
    EXPECT_EQ(spinner.layerSpeed(), 0);
    clock->advance(500);
    EXPECT_EQ(spinner.cycleTime(), 0);

    spinner.removeShapeLayer();
    spinner.startAnimating();
    EXPECT_TRUE(spinner.hasShapeLayer());
    clock->advance(850);
    EXPECT_EQ(spinner.cycleTime(), 850);
    spinner.stopAnimating();
    clock->advance(400);
    EXPECT_EQ(spinner.cycleTime(), 850); // frozen where it stopped
    spinner.startAnimating();
    clock->advance(1000);
    EXPECT_EQ(spinner.cycleTime(), (850 + 1000) % 1700);

    EXPECT_DOUBLE_EQ(CustomActivitySpinnerView::strokeWithForSizeClass(20), 1.0);
    EXPECT_DOUBLE_EQ(CustomActivitySpinnerView::strokeWithForSizeClass(34), 1.5);
    EXPECT_DOUBLE_EQ(CustomActivitySpinnerView::strokeWithForSizeClass(68), 2.0);
}

TEST(LoadingSpinner, IndicatorWithCaptionIsTallerAndRemovesItselfAfterItsFade) {
    ScopedManualClock clock;
    QWidget host;
    host.resize(300, 300);
    auto* indicator =
        CustomActivityIndicatorView::activityViewForView(&host, "A rather long caption");
    EXPECT_EQ(indicator->height(), 68 + 24);
    EXPECT_GE(indicator->width(), indicator->loadingLabel()->sizeHint().width());
    EXPECT_TRUE(indicator->activityView()->animating());
    QPointer<CustomActivityIndicatorView> guard(indicator);
    indicator->removeActivityView();
    clock->advance(200);
    EXPECT_EQ(guard->parentWidget(), &host);
    clock->advance(50);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
}
