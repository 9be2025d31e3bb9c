#include "payment/signature_receipts/SignatureView.h"
#include "SignatureReceiptFixture.h"

#include <cmath>

namespace {

std::unique_ptr<SignatureView> pad() {
    auto view = std::make_unique<SignatureView>();
    view->resize(300, 150);
    view->setBackgroundColor(Qt::white);
    return view;
}

TEST(SignatureInkTest, WidthFollowsTheSpeedOfTheFinger) {
    struct Case {
        const char* name;
        QList<QPointF> points; // 10 ms apart
        double velocity;       // of the last segment
        double width;
    };
    const Case cases[] = {
        {"500 points/s", {{10, 10}, {15, 10}}, 500, 3.5558},
        {"4,000 points/s", {{10, 10}, {50, 10}}, 4000, 0.4447},
        {"6,000 points/s stays at the floor", {{10, 10}, {70, 10}}, 6000, 0.3},
        {"2,000 after 1,000 smooths to 1,300", {{10, 10}, {20, 10}, {40, 10}}, 1300, 2.1684},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto view = pad();
        drawStroke(view.get(), c.points);
        ASSERT_TRUE(view->curves());
        ASSERT_EQ(view->curves()->size(), size_t(c.points.size() - 1));
        EXPECT_NEAR(view->curves()->back().velocity, c.velocity, 1e-6);
        EXPECT_NEAR(view->curves()->back().width(), c.width, 5e-5);
    }
}

TEST(SignatureInkTest, EqualTimeStampsKeepThePreviousSpeedAndStillInk) {
    auto view = pad();
    // Three samples at one time stamp, then one 10 ms later.
    sendMouse(view.get(), QEvent::MouseButtonPress, {20, 20}, 500);
    sendMouse(view.get(), QEvent::MouseMove, {40, 20}, 500);
    sendMouse(view.get(), QEvent::MouseMove, {60, 20}, 500);
    sendMouse(view.get(), QEvent::MouseMove, {70, 20}, 510);
    sendMouse(view.get(), QEvent::MouseButtonRelease, {70, 20}, 510);
    ASSERT_EQ(view->curves()->size(), 3u);
    for (const BezierCurve& curve : *view->curves()) {
        EXPECT_FALSE(std::isnan(curve.velocity));
        EXPECT_FALSE(std::isnan(curve.width()));
    }
    EXPECT_EQ(view->curves()->at(0).velocity, 0.0);         // first segment: no speed yet
    EXPECT_NEAR(view->curves()->at(2).velocity, 300, 1e-9); // 0.3 × 1,000 + 0.7 × 0
    EXPECT_GT(inkPixels(view->collectSignature(), {15, 10, 60, 20}), 50);
}

TEST(SignatureInkTest, StrokesAccumulateUntilTheDrawingIsCancelled) {
    auto view = pad();
    drawStroke(view.get(), {{20, 30}, {40, 32}, {60, 34}, {80, 36}}, 1000, 40);
    drawStroke(view.get(), {{200, 100}, {220, 102}, {240, 104}}, 3000, 40);
    const QImage both = view->collectSignature();
    EXPECT_EQ(both.size(), QSize(300, 150)); // one pixel per point
    EXPECT_GT(inkPixels(both, {15, 25, 70, 15}), 40);
    EXPECT_GT(inkPixels(both, {195, 95, 50, 15}), 20);

    // A tap without movement leaves a dot of 4 points.
    sendMouse(view.get(), QEvent::MouseButtonPress, {150, 75}, 5000);
    sendMouse(view.get(), QEvent::MouseButtonRelease, {150, 75}, 5050);
    EXPECT_GT(inkPixels(view->collectSignature(), {147, 72, 7, 7}), 4);

    view->cancelDrawing();
    EXPECT_FALSE(view->curves());
    const QImage cleared = view->collectSignature();
    EXPECT_EQ(inkPixels(cleared, cleared.rect()), 0);
    EXPECT_EQ(cleared.pixel(150, 75), qRgb(255, 255, 255));
}

TEST(SignatureInkTest, ASampleAtTheLastPointAddsNothing) {
    auto view = pad();
    int began = 0, ended = 0;
    QObject::connect(view.get(), &SignatureView::touchBegan, [&] { ++began; });
    QObject::connect(view.get(), &SignatureView::touchEnded, [&] { ++ended; });
    sendMouse(view.get(), QEvent::MouseButtonPress, {30, 30}, 100);
    sendMouse(view.get(), QEvent::MouseMove, {30, 30}, 110);
    EXPECT_TRUE(view->curves()->empty());
    sendMouse(view.get(), QEvent::MouseMove, {40, 30}, 120);
    // The speed counts from the last accepted sample (20 ms, not 10).
    EXPECT_NEAR(view->curves()->back().velocity, 500, 1e-9);
    sendMouse(view.get(), QEvent::MouseButtonRelease, {40, 30}, 130);
    EXPECT_EQ(began, 1);
    EXPECT_EQ(ended, 1);
}

} // namespace
