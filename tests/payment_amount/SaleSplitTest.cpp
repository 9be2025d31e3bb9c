#include "AmountFixture.h"

#include "payment/flow/PaymentViewController.h"
#include "payment/flow/saleSplitController.h"

using namespace amounttest;

namespace {

class SaleSplit : public AmountTest {
protected:
    void SetUp() override {
        AmountTest::SetUp();
        Device::current().setIdiom(Device::Idiom::Pad);
        window.widget()->resize(1024, 768);
    }
};

} // namespace

TEST_F(SaleSplit, TheFirstColumnIsAlways704WideBesideTheSecond) {
    auto* split = qobject_cast<saleSplitController*>(
        Storyboard::instantiate("PaymentIpad", "saleSplitController"));
    ASSERT_NE(split, nullptr);
    window.setRootViewController(split);
    window.makeKeyAndVisible();
    settle();
    ASSERT_EQ(split->childViewControllers().size(), 2);
    QWidget* first = split->childViewControllers().at(0)->view();
    QWidget* second = split->childViewControllers().at(1)->view();
    auto* navigation = qobject_cast<NavigationController*>(split->childViewControllers().at(0));
    ASSERT_TRUE(navigation);
    EXPECT_TRUE(qobject_cast<PaymentViewController*>(navigation->topViewController()));

    // Whatever width the first column was given, it comes back to 704 at the next layout.
    for (int proposed : {0, 400, 900}) {
        SCOPED_TRACE(proposed);
        if (proposed)
            first->setFixedWidth(proposed);
        split->layoutIfNeeded();
        EXPECT_EQ(first->width(), 704);
        EXPECT_GT(second->x(), 704);
        EXPECT_EQ(second->x() + second->width(), split->view()->width());
    }
    ASSERT_TRUE(window.widget()->grab().save(amountScreenshotPath("keypad_split_pad.png")));
}

TEST_F(SaleSplit, ASplitWithOneColumnLaysOutWithoutChange) {
    auto* split = new saleSplitController();
    auto* only = new NextScreen();
    split->setViewControllers({only});
    window.setRootViewController(split);
    window.makeKeyAndVisible();
    settle();
    const int width = only->view()->width();
    split->layoutIfNeeded();
    EXPECT_EQ(only->view()->width(), width);
}
