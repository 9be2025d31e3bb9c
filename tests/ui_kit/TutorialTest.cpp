#include "Printers.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Services.h"
#include "platform/ui/View.h"
#include "platform/ui/ViewController.h"
#include "ui_kit/SectionTutorialView.h"
#include "ui_kit/TutorialHint.h"
#include "ui_kit/TutorialNavBar.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A screen with a dimmable container holding a text field and an already disabled button, a
// subview the bubble points at (with a button), a step bar and an invisible view.
struct TutorialScreen : ::testing::Test {
    void SetUp() override {
        screen.resize(375, 667);
        container = new QWidget(&screen);
        field = new QLineEdit(container);
        offButton = new QPushButton("Off", container);
        offButton->setEnabled(false);
        toggle = new QCheckBox(container);
        pointed = new QWidget(&screen);
        pointedButton = new QPushButton("Pay", pointed);
        bar = new TutorialNavBar(&screen);
        invisible = new QWidget(&screen);
        View::setAlpha(invisible, 0);
        screen.show();
    }
    void TearDown() override { Application::setStatusBarHidden(false); }

    ScopedManualClock clock;
    QWidget screen;
    QWidget* container = nullptr;
    QLineEdit* field = nullptr;
    QPushButton* offButton = nullptr;
    QCheckBox* toggle = nullptr;
    QWidget* pointed = nullptr;
    QPushButton* pointedButton = nullptr;
    TutorialNavBar* bar = nullptr;
    QWidget* invisible = nullptr;
};

class EndCounter : public TutorialNavBarDelegate, public SectionTutorialViewDelegate {
public:
    void cancelTutorial() override { ++ended; }
    void buttonTouched() override { ++touched; }
    int ended = 0;
    int touched = 0;
};

} // namespace

TEST_F(TutorialScreen, TheBubbleSitsOnItsPointByArrowType) {
    struct Case {
        int type;
        QRect frame;
        int textTop;
        bool image;
    } cases[] = {
        {0, {30, 300, 260, 66}, 30, true},  {1, {30, 234, 260, 66}, 17, true},
        {2, {30, 300, 260, 66}, 30, true},  {3, {30, 300, 260, 66}, 30, true},
        {4, {30, 234, 260, 66}, 17, true},  {5, {30, 234, 260, 66}, 17, true},
        {7, {30, 234, 260, 66}, 17, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        TutorialHint* hint = TutorialHint::initHint(c.type, "Toca aquí", {30, 300}, &screen, {});
        ASSERT_EQ(hint->label()->height(), 17); // one line of text
        EXPECT_EQ(hint->geometry(), c.frame);
        EXPECT_EQ(hint->button()->geometry(), QRect(0, 0, 260, 66));
        EXPECT_EQ(hint->label()->y(), c.textTop);
        EXPECT_EQ(!TutorialHint::backgroundImage(c.type).isNull(), c.image);
        EXPECT_EQ(hint->parentWidget(), &screen);
        EXPECT_TRUE(hint->isVisible());
        delete hint;
    }
    TutorialHint* hint =
        TutorialHint::initHint(1, "Una ayuda más larga que ocupa varias líneas del globo de texto",
                               {30, 300}, &screen, {});
    EXPECT_GT(hint->label()->height(), 17);
    EXPECT_EQ(hint->height(), hint->label()->height() + 49);
    EXPECT_EQ(hint->y() + hint->height(), 300);
}

TEST_F(TutorialScreen, ShowingDimsAndDisablesAllButTheListedAndHidingGivesItBack) {
    TutorialHint* hint = TutorialHint::initHint(1, "Paga aquí", {30, 300}, &screen, {pointed});
    EXPECT_TRUE(hint->isVisible());
    EXPECT_FALSE(field->isEnabled());
    EXPECT_FALSE(toggle->isEnabled()); // a switch counts as a button
    EXPECT_TRUE(pointedButton->isEnabled());
    EXPECT_TRUE(bar->isEnabled());
    clock->advance(TutorialHint::kFadeMs);
    EXPECT_DOUBLE_EQ(View::alpha(hint), 1.0);
    EXPECT_DOUBLE_EQ(View::alpha(container), 0.25);
    EXPECT_DOUBLE_EQ(View::alpha(pointed), 1.0);
    EXPECT_DOUBLE_EQ(View::alpha(bar), 1.0);
    EXPECT_DOUBLE_EQ(View::alpha(invisible), 0.0);
    EXPECT_EQ(hint->disabledElements(), QList<QWidget*>({field, toggle}));

    // The screen dims its container once more through the bubble.
    hint->reduceAlphasInView(&screen, {pointed});
    clock->advance(TutorialHint::kFadeMs);
    EXPECT_DOUBLE_EQ(View::alpha(container), 1.0 / 16);

    hint->hideHint();
    EXPECT_FALSE(hint->isVisible());
    clock->advance(TutorialHint::kFadeMs);
    EXPECT_DOUBLE_EQ(View::alpha(hint), 0.0);
    EXPECT_EQ(hint->parentWidget(), &screen);
    EXPECT_DOUBLE_EQ(View::alpha(container), 1.0);
    EXPECT_DOUBLE_EQ(View::alpha(invisible), 0.0);
    EXPECT_TRUE(field->isEnabled());
    EXPECT_TRUE(toggle->isEnabled());
    EXPECT_FALSE(offButton->isEnabled());
    EXPECT_TRUE(hint->disabledElements().isEmpty());
    EXPECT_TRUE(hint->reducedAlphaViews().isEmpty());
}

TEST_F(TutorialScreen, HidingMidwayOrAfterControlsWentAwayRestoresWhatIsLeft) {
    // Hidden while the dimming still runs: the screen ends at its first opacity.
    TutorialHint* hint = TutorialHint::initHint(0, "Uno", {30, 100}, &screen, {pointed});
    clock->advance(200);
    hint->hideHint();
    clock->advance(2000);
    EXPECT_DOUBLE_EQ(View::alpha(container), 1.0);
    EXPECT_TRUE(field->isEnabled());

    // A control deleted while disabled is not touched on hiding.
    TutorialHint* second = TutorialHint::initHint(0, "Dos", {30, 100}, &screen, {pointed});
    delete field;
    delete invisible;
    second->hideHint();
    clock->advance(2000);
    EXPECT_TRUE(toggle->isEnabled());

    // A bubble that dimmed nothing fades and leaves the screen as it was.
    QWidget empty;
    TutorialHint* lone = TutorialHint::initHint(0, "Tres", {0, 0}, &empty, {});
    clock->advance(1000);
    lone->hideHint();
    clock->advance(1000);
    EXPECT_DOUBLE_EQ(View::alpha(lone), 0.0);

    // A bubble deleted while shown leaves the screen dimmed and disabled.
    TutorialHint* third = TutorialHint::initHint(0, "Cuatro", {30, 100}, &screen, {pointed});
    clock->advance(TutorialHint::kFadeMs);
    delete third;
    clock->advance(10000);
    EXPECT_DOUBLE_EQ(View::alpha(container), 0.25);
    EXPECT_FALSE(toggle->isEnabled());
}

TEST_F(TutorialScreen, TheBubbleBouncesAwayFromItsPointWhileFullyOpaque) {
    TutorialHint* hint = TutorialHint::initHint(1, "Arriba", {30, 300}, &screen, {});
    EXPECT_EQ(hint->y(), 234);
    clock->advance(TutorialHint::kFadeMs + TutorialHint::kBounceStepMs);
    EXPECT_EQ(hint->y(), 224); // away from the point below it
    clock->advance(TutorialHint::kBounceStepMs);
    EXPECT_EQ(hint->y(), 234);
    clock->advance(4 * TutorialHint::kBounceStepMs);
    EXPECT_EQ(hint->y(), 234); // six steps, back where it started
    clock->advance(TutorialHint::kBounceRestMs - 1);
    EXPECT_EQ(hint->y(), 234);
    clock->advance(1 + TutorialHint::kBounceStepMs);
    EXPECT_EQ(hint->y(), 224); // the next cycle after the rest

    TutorialHint* below = TutorialHint::initHint(0, "Abajo", {30, 100}, &screen, {});
    clock->advance(TutorialHint::kFadeMs + TutorialHint::kBounceStepMs);
    EXPECT_EQ(below->y(), 110);
    below->hideHint(); // the cycle runs out, no new one starts
    clock->advance(30000);
    EXPECT_EQ(below->y(), 100);
    EXPECT_EQ(clock->pendingCount() > 0, true); // the other bubble still bounces
    delete hint;
    clock->advance(30000);
    EXPECT_EQ(clock->pendingCount(), 0);
}

TEST(TutorialNavBar, SlidesInAndOutAndEndsTheTutorialThroughItsDelegate) {
    ScopedManualClock clock;
    QWidget screen;
    screen.resize(375, 667);
    struct Case {
        int step;
        bool landscape;
        QRect frame;
        QRect stepFrameXW; // x and width only
    } cases[] = {
        {1, false, {0, 0, 375, 64}, {14, 0, 22, 0}},
        {10, true, {0, 0, 667, 32}, {13, 0, 23, 0}},
    };
    for (const Case& c : cases) {
        TutorialNavBar* bar =
            TutorialNavBar::initWithStep(c.step, "Cobra", &screen, 0, c.landscape);
        EXPECT_EQ(bar->geometry(), c.frame.translated(-c.frame.width(), 0));
        EXPECT_TRUE(Application::isStatusBarHidden());
        clock->advance(TutorialNavBar::kSlideMs);
        EXPECT_EQ(bar->geometry(), c.frame);
        EXPECT_EQ(bar->stepNumber()->text(), QString::number(c.step));
        EXPECT_EQ(bar->stepNumber()->x(), c.stepFrameXW.x());
        EXPECT_EQ(bar->stepNumber()->width(), c.stepFrameXW.width());
        EXPECT_EQ(bar->title()->text(), "Cobra");
        clock->advance(60000);
        EXPECT_EQ(bar->x(), 0); // no auto-close with a delay of 0

        bar->close(false);
        EXPECT_FALSE(Application::isStatusBarHidden());
        clock->advance(TutorialNavBar::kSlideMs);
        EXPECT_EQ(bar->x(), c.frame.width());
        EXPECT_EQ(bar->parentWidget(), &screen);
        bar->show();
        EXPECT_EQ(bar->x(), -c.frame.width());
        EXPECT_TRUE(Application::isStatusBarHidden());
        clock->advance(TutorialNavBar::kSlideMs);
        EXPECT_EQ(bar->x(), 0);

        QPointer<TutorialNavBar> gone(bar);
        bar->close(true);
        clock->advance(TutorialNavBar::kSlideMs);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(gone.isNull());
    }

    TutorialNavBar* bar = TutorialNavBar::initWithStep(2, "Auto", &screen, 1.5f, false);
    clock->advance(TutorialNavBar::kSlideMs + 1499);
    EXPECT_EQ(bar->x(), 0);
    clock->advance(1 + TutorialNavBar::kSlideMs);
    EXPECT_EQ(bar->x(), 375);
    EXPECT_EQ(bar->parentWidget(), &screen);

    QTest::mouseClick(bar->endTutorialButton(), Qt::LeftButton); // no delegate: nothing
    EndCounter delegate;
    bar->setDelegate(&delegate);
    bar->endTutorial();
    EXPECT_EQ(delegate.ended, 1);
    EXPECT_EQ(bar->x(), 375); // the delegate closes the bar, not the bar itself
    Application::setStatusBarHidden(false);
}

TEST(SectionTutorialView, TheButtonShowsForAnyTitleButTheEmptyOne) {
    struct Case {
        std::optional<QString> title;
        bool shown;
        QString text;
    } cases[] = {{QString(""), false, ""},
                 {QString(" "), true, " "},
                 {std::nullopt, true, ""},
                 {QString("Ver más"), true, "Ver más"}};
    for (const Case& c : cases) {
        std::unique_ptr<SectionTutorialView> card(
            SectionTutorialView::initWithImage("hint_up.png", "Tu catálogo", c.title));
        EXPECT_EQ(card->text()->text(), "Tu catálogo");
        EXPECT_FALSE(card->icon()->pixmap().isNull());
        EXPECT_EQ(!card->button()->isHidden(), c.shown);
        EXPECT_EQ(card->button()->text(), c.text);
    }
    std::unique_ptr<SectionTutorialView> card(
        SectionTutorialView::initWithImage("hint_up.png", "Tu catálogo", QString("Ver")));
    card->buttonTouched(); // no delegate: nothing
    EndCounter delegate;
    card->setDelegate(&delegate);
    card->show();
    QTest::mouseClick(card->button(), Qt::LeftButton);
    EXPECT_EQ(delegate.touched, 1);
}
