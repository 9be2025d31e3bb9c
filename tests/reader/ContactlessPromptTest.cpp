#include "platform/ui/Clock.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"
#include "reader/ReaderScreens.h"
#include "reader/views/DSpreadPinpadContactless.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace prompt_test {

// The reader controller as the prompt sees it: cancel leaves contactless mode and dismisses.
struct ContactlessHost : ContactlessPromptDelegate {
    QPointer<ViewController> prompt;
    int disabled = 0;
    void disableNFC() override {
        ++disabled;
        if (prompt)
            prompt->dismissViewControllerAnimated(true);
    }
};

struct PromptOnScreen {
    ScopedManualClock clock;
    Window window;
    ViewController* screen = new ViewController();
    ContactlessHost host;
    QPointer<DSpreadPinpadContactless> prompt;
    PromptOnScreen() {
        window.setRootViewController(screen);
        window.widget()->resize(375, 667);
        window.makeKeyAndVisible();
        prompt = qobject_cast<DSpreadPinpadContactless*>(
            Storyboard::instantiateInitial(QString(ReaderScreens::contactlessPrompt.storyboard)));
        host.prompt = prompt;
        prompt->setDelegate(&host);
        prompt->setModalPresentationStyle(
            ViewController::ModalPresentationStyle::OverCurrentContext);
        screen->presentViewController(prompt, true);
        clock->advance(ViewController::kTransitionMs);
    }
};

TEST(ContactlessPrompt, CardCyclesEvery3300MsUntilDismissed) {
    PromptOnScreen s;
    ASSERT_TRUE(s.prompt);
    DSpreadPinpadContactless* p = s.prompt;
    EXPECT_TRUE(p->active());
    EXPECT_EQ(p->readerView()->imageName(), "tq-qposMini.png");
    EXPECT_EQ(p->readerViewFront()->imageName(), "tq-qposMini-Top.png");
    const QRect reader = p->readerView()->geometry();
    EXPECT_EQ(p->inFrame().topLeft(), reader.topLeft() + QPoint(30, -74));
    EXPECT_EQ(p->outFrame(), p->inFrame().translated(200, 80));
    EXPECT_EQ(p->cardViewContainer()->geometry(), p->outFrame());
    EXPECT_EQ(p->cyclesStarted(), 1);

    s.clock->advance(1000); // the card slides onto the reader
    EXPECT_EQ(p->cardViewContainer()->geometry(), p->inFrame());
    s.clock->advance(1000 + 300); // stays, fades
    EXPECT_DOUBLE_EQ(View::alpha(p->cardView()), 0);
    EXPECT_EQ(p->cardViewContainer()->geometry(), p->outFrame());
    s.clock->advance(700 + 300); // fades in away from the reader: the next cycle
    EXPECT_DOUBLE_EQ(View::alpha(p->cardView()), 1);
    EXPECT_EQ(p->cyclesStarted(), 2);
    s.clock->advance(3 * DSpreadPinpadContactless::kCycleMs);
    EXPECT_EQ(p->cyclesStarted(), 5);

    // Dismissed in the middle of a fade: no further cycle starts.
    s.clock->advance(2100);
    p->cancelButton()->click();
    EXPECT_EQ(s.host.disabled, 1);
    s.clock->advance(ViewController::kTransitionMs);
    s.clock->advance(20000);
    if (s.prompt) {
        EXPECT_FALSE(s.prompt->active());
        EXPECT_EQ(s.prompt->cyclesStarted(), 5);
    }
    EXPECT_EQ(s.clock->pendingCount(), 0);
}

TEST(ContactlessPrompt, CancelWithoutADelegateDoesNothing) {
    PromptOnScreen s;
    s.prompt->setDelegate(nullptr);
    s.prompt->cancelButton()->click();
    EXPECT_TRUE(s.prompt->active());
    EXPECT_EQ(s.host.disabled, 0);
}

} // namespace prompt_test
