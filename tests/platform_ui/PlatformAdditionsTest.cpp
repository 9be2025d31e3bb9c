#include "platform/ui/Clock.h"
#include "platform/ui/LayoutConstraint.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/SlidingViewController.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/Window.h"

#include <QTest>
#include <gtest/gtest.h>

namespace additions {

struct SlidingFixture : ::testing::Test {
    void SetUp() override {
        window = std::make_unique<Window>();
        sliding = new SlidingViewController();
        top = new ViewController();
        menu = new ViewController();
        navigation = new NavigationController(top);
        sliding->setTopViewController(navigation);
        sliding->setUnderLeftViewController(menu);
        window->setRootViewController(sliding);
        window->widget()->resize(375, 667);
        window->makeKeyAndVisible();
        sliding->view()->resize(375, 667);
    }
    ScopedManualClock clock;
    std::unique_ptr<Window> window;
    SlidingViewController* sliding = nullptr;
    NavigationController* navigation = nullptr;
    ViewController* top = nullptr;
    ViewController* menu = nullptr;
};

// A table whose rows are plain TableViewCells.
class CellSource : public TableViewDataSource {
public:
    int tableViewNumberOfRowsInSection(TableView*, int) override { return 2; }
    QWidget* tableViewCellForRowAtIndexPath(TableView*, IndexPath) override {
        auto* cell = new TableViewCell();
        cell->setMinimumHeight(40);
        return cell;
    }
};

} // namespace additions

using additions::SlidingFixture;

TEST_F(SlidingFixture, ShowSlidingMenuFromADeepScreenRevealsAndResetCoversAgain) {
    EXPECT_EQ(SlidingViewController::slidingViewControllerFor(top), sliding);
    EXPECT_EQ(sliding->currentTopViewPosition(), SlidingViewController::Position::Centered);

    top->showSlidingMenu();
    clock->advance(SlidingViewController::kSlideMs / 2);
    EXPECT_GT(sliding->topViewOffset(), 0); // on its way
    clock->advance(SlidingViewController::kSlideMs);
    EXPECT_EQ(sliding->currentTopViewPosition(), SlidingViewController::Position::AnchoredRight);
    EXPECT_EQ(sliding->topViewOffset(), 375 - SlidingViewController::kAnchorRightPeekAmount);
    EXPECT_EQ(navigation->view()->mapTo(sliding->view(), QPoint()).x(),
              375 - SlidingViewController::kAnchorRightPeekAmount);

    bool reset = false;
    sliding->resetTopViewAnimated(false, [&] { reset = true; });
    EXPECT_TRUE(reset);
    EXPECT_EQ(sliding->topViewOffset(), 0);
}

TEST_F(SlidingFixture, ContainerIsFoundThroughPresentingScreens) {
    auto* presented = new NavigationController(new ViewController());
    top->presentViewController(presented, false);
    EXPECT_EQ(SlidingViewController::slidingViewControllerFor(presented->topViewController()),
              sliding);
}

TEST(SlidingMenu, AScreenOutsideAnyContainerChangesNothing) {
    ScopedManualClock clock;
    Window window;
    auto* alone = new ViewController();
    window.setRootViewController(alone);
    window.makeKeyAndVisible();
    EXPECT_EQ(SlidingViewController::slidingViewControllerFor(alone), nullptr);
    alone->showSlidingMenu();
    EXPECT_EQ(clock->pendingCount(), 0);
}

TEST(TableViewCell, TheTableHighlightsWhilePressedAndSelectsOnRelease) {
    additions::CellSource source;
    TableView table;
    table.setDataSource(&source);
    table.resize(320, 200);
    table.reloadData();
    table.show();
    auto* first = qobject_cast<TableViewCell*>(table.cellForRowAtIndexPath({0, 0}));
    auto* second = qobject_cast<TableViewCell*>(table.cellForRowAtIndexPath({0, 1}));
    ASSERT_TRUE(first && second);
    auto* background = new QWidget();
    first->setSelectedBackgroundView(background);

    QTest::mousePress(first, Qt::LeftButton);
    EXPECT_TRUE(first->isHighlighted());
    EXPECT_FALSE(first->isSelected());
    EXPECT_TRUE(background->isVisibleTo(first));
    QTest::mouseRelease(first, Qt::LeftButton);
    EXPECT_FALSE(first->isHighlighted());
    EXPECT_TRUE(first->isSelected());

    table.tapRowAtIndexPath({0, 1});
    EXPECT_FALSE(first->isSelected());
    EXPECT_FALSE(background->isVisibleTo(first));
    EXPECT_TRUE(second->isSelected());

    first->setSelectionStyle(TableViewCell::SelectionStyle::None);
    first->setSelected(true, false);
    EXPECT_FALSE(background->isVisibleTo(first));
}

TEST(LayoutConstraint, ConstantSizesAndCentresAreKept) {
    QWidget parent;
    parent.resize(300, 300);
    parent.show(); // hidden widgets hold their move events back until shown
    auto* line = new QWidget(&parent);
    line->setGeometry(5, 7, 200, 40);
    auto* height = LayoutConstraint::addTo(
        line, new LayoutConstraint(line, LayoutConstraint::Attribute::Height, nullptr,
                                   LayoutConstraint::Attribute::NotAnAttribute, 1, 0.5));
    height->setActive(true);
    EXPECT_EQ(line->geometry(), QRect(5, 7, 200, 1)); // half a point rounds up to one
    line->setGeometry(5, 7, 200, 30);
    EXPECT_EQ(line->height(), 1);
    height->setConstant(3);
    EXPECT_EQ(line->height(), 3);
    EXPECT_EQ(LayoutConstraint::constraintsOf(line), QList<LayoutConstraint*>{height});

    auto* anchor = new QWidget(&parent);
    anchor->setGeometry(100, 100, 60, 60);
    anchor->show();
    auto* box = new QWidget(&parent);
    box->setGeometry(0, 0, 20, 10);
    for (auto axis : {LayoutConstraint::Attribute::CenterX, LayoutConstraint::Attribute::CenterY})
        LayoutConstraint::addTo(&parent, new LayoutConstraint(box, axis, anchor, axis, 1, 0))
            ->setActive(true);
    EXPECT_EQ(box->geometry().center(), anchor->geometry().center());
    anchor->move(10, 20); // the box follows
    EXPECT_EQ(box->geometry().center(), anchor->geometry().center());
}
