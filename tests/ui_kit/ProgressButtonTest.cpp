#include "platform/core/VersionDispatch.h"
#include "platform/ui/Clock.h"
#include "platform/ui/View.h"
#include "support/TestSupport.h"
#include "ui_kit/BorderedButton.h"
#include "ui_kit/TVProgressButton.h"
#include "ui_kit/UIKitSupport.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

class FinishCounter : public TVProgressButtonDelegate {
public:
    void finishedAnimation() override { ++calls; }
    int calls = 0;
};

// A 300 x 50 progress button at (20, 100) on a screen.
class ProgressButtonTest : public ::testing::Test {
protected:
    ProgressButtonTest() {
        screen.resize(375, 667);
        button = new TVProgressButton(QRect(20, 100, 300, 50), &screen);
        button->setText("Vincular");
        button->setBackgroundColor(UIKitSupport::mainColor());
        button->setFillColor(QColor(0, 0, 0, 38));
        button->setDelegate(&delegate);
    }

    ScopedManualClock clock;
    QWidget screen;
    TVProgressButton* button = nullptr;
    FinishCounter delegate;
};

TEST_F(ProgressButtonTest, AFillSetsItsWidthOverTwoSecondsOrAtOnce) {
    const struct {
        bool animated;
        int halfWayWidth; // the bar after 1 s
    } cases[] = {{true, 75}, {false, 150}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.animated);
        button->setFillPercentage(0, false);
        clock->runUntilIdle();
        button->setFillPercentage(0.5, c.animated);
        EXPECT_EQ(button->percentage(), 0.5);
        EXPECT_EQ(button->fillWidthConstraint()->constant(), 150);
        clock->advance(1000);
        EXPECT_EQ(button->fillBar()->width(), c.halfWayWidth);
        clock->advance(1000);
        EXPECT_EQ(button->fillBar()->width(), 150);
        EXPECT_EQ(button->fillBar()->height(), 50);
    }
    // Above 1 the bar outgrows the button and nothing more happens.
    button->setFillPercentage(1.2, false);
    clock->runUntilIdle();
    EXPECT_EQ(button->fillBar()->width(), 360);
    EXPECT_EQ(button->geometry(), QRect(20, 100, 300, 50));
}

TEST_F(ProgressButtonTest, OnlyAFullFillFinishesAsACircleAndTellsTheDelegateTwoSecondsLater) {
    button->setFillPercentage(0.9999, true);
    clock->runUntilIdle();
    EXPECT_EQ(button->text(), "Vincular");
    EXPECT_EQ(button->geometry(), QRect(20, 100, 300, 50));
    EXPECT_EQ(delegate.calls, 0);

    button->setFillPercentage(1.0, false);
    clock->advance(0);
    EXPECT_EQ(button->text(), "");
    clock->advance(500);
    // A circle of the button's height, centred where the button stood.
    EXPECT_EQ(button->geometry(), QRect(145, 100, 50, 50));
    EXPECT_EQ(button->cornerRadius(), 25);
    EXPECT_EQ(View::alpha(button->finishedImage()), 0);
    clock->advance(500);
    EXPECT_EQ(View::alpha(button->finishedImage()), 1);
    EXPECT_EQ(button->backgroundColor().alpha(), 0);
    EXPECT_EQ(button->fillColor().alpha(), 0);
    EXPECT_EQ(button->finishedImage()->geometry(), QRect(2, 2, 46, 46));
    clock->advance(999);
    EXPECT_EQ(delegate.calls, 0);
    clock->advance(1);
    EXPECT_EQ(delegate.calls, 1);
}

TEST_F(ProgressButtonTest, AFillEndingAfterTheFullFillDoesNotFinishTwice) {
    button->setFillPercentage(0.9, true);
    clock->advance(500);
    button->setFillPercentage(1.0, false); // the link was accepted mid-fill
    clock->advance(2000);
    EXPECT_EQ(delegate.calls, 1);
    button->setFillPercentage(1.0, true); // a late repeat restarts nothing
    clock->runUntilIdle();
    EXPECT_EQ(delegate.calls, 1);
    EXPECT_EQ(button->geometry(), QRect(145, 100, 50, 50));
}

TEST_F(ProgressButtonTest, ADisabledButtonShowsTheVeryLightGreyBackground) {
    button->setEnabled(false);
    const QImage shot = button->grab().toImage();
    EXPECT_EQ(shot.pixelColor(20, 25).rgb(), VersionDispatch::veryLightGray().rgb());
    button->setEnabled(true);
    EXPECT_EQ(button->grab().toImage().pixelColor(20, 25).rgb(), UIKitSupport::mainColor().rgb());
}

TEST(BorderedButton, TheBorderFollowsPressSelectionAndInversion) {
    const QColor grey(200, 200, 200);
    const QColor theme = UIKitSupport::mainColor();
    BorderedButton button(QRect(0, 0, 120, 44));
    button.setText("Aceptar");
    EXPECT_EQ(button.layerBorderColor(), grey);
    EXPECT_EQ(button.borderColor(), grey);
    EXPECT_EQ(button.highlightedBorderColor(), theme);

    // Pressed by a person, then let go.
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(60, 22));
    EXPECT_EQ(button.layerBorderColor(), theme);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(60, 22));
    EXPECT_EQ(button.layerBorderColor(), grey);

    button.setSelected(true);
    EXPECT_EQ(button.layerBorderColor(), theme);
    button.setSelected(false);

    // A new normal colour waits for the highlight to end; a new highlighted one shows at once.
    button.setHighlighted(true);
    button.setBorderColor(Qt::green);
    EXPECT_EQ(button.layerBorderColor(), theme);
    button.setHighlightedBorderColor(Qt::red);
    EXPECT_EQ(button.layerBorderColor(), QColor(Qt::red));
    button.setHighlighted(false);
    EXPECT_EQ(button.layerBorderColor(), QColor(Qt::green));

    button.invertedBorder();
    EXPECT_EQ(button.layerBorderColor(), theme);
    button.setSelected(true);
    EXPECT_EQ(button.layerBorderColor(), grey);
    EXPECT_EQ(button.grab().toImage().pixelColor(60, 0).rgb(), grey.rgb());
}

} // namespace
