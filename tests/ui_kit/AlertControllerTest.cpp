#include "ui_kit/AlertController.h"
#include "Printers.h"
#include "platform/ui/Clock.h"
#include "platform/ui/TextField.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"
#include "support/TestSupport.h"

#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QStringList titles(const QList<std::shared_ptr<AlertAction>>& actions) {
    QStringList list;
    for (const auto& action : actions)
        list << action->title();
    return list;
}

QStringList shownRows(AlertController* box) {
    QStringList rows;
    TableView* table = box->actionsTableView();
    for (int row = 0; row < table->numberOfRowsInSection(0); ++row)
        rows << qobject_cast<QLabel*>(View::viewWithTag(table->cellForRowAtIndexPath({0, row}), 1))
                    ->text();
    return rows;
}

struct AlertFixture : ::testing::Test {
    void SetUp() override {
        window.setRootViewController(new ViewController());
        window.makeKeyAndVisible();
    }
    ScopedManualClock clock;
    Window window;
};

} // namespace

TEST(AlertController, TheCancelActionAlwaysStandsLast) {
    struct Case {
        QList<std::pair<QString, int>> added;
        QStringList shown;
    } cases[] = {
        {{{"A", 0}, {"C", 1}, {"B", 0}}, {"A", "B", "C"}},
        {{{"C", 1}, {"A", 0}, {"B", 2}}, {"A", "B", "C"}},
        {{{"A", 0}, {"B", 2}}, {"A", "B"}},
    };
    for (const Case& c : cases) {
        std::unique_ptr<AlertController> box(AlertController::alertControllerWithTitle("T", "M"));
        QStringList added;
        for (const auto& [title, style] : c.added) {
            box->addAction(AlertAction::actionWithTitle(title, style));
            added << title;
        }
        EXPECT_EQ(titles(box->orderedActions()), c.shown);
        EXPECT_EQ(titles(box->actions()), added);
    }

    std::unique_ptr<AlertController> box(AlertController::alertControllerWithTitle("T", "M"));
    box->addAction(AlertAction::actionWithTitle("C", 1));
    EXPECT_EQ(assertionMessage([&] { box->addAction(AlertAction::actionWithTitle("D", 1)); }),
              "AlertController can only have one action with a style of UIAlertActionStyleCancel");
    EXPECT_EQ(assertionMessage([&] { box->setCustomIcon(QImage(4, 4, QImage::Format_ARGB32)); }),
              "alert type must be AlertTypeCustom to use custom icon");
}

TEST_F(AlertFixture, ActionsShowInOrderAndTheHandlerRunsAfterTheBoxHasGone) {
    QPointer<AlertController> box = AlertController::alertControllerWithTitle("Error", "It failed");
    box->setAlertType(AlertController::AlertTypeError);
    QStringList ran;
    bool boxGoneAtHandler = false;
    auto retry = AlertAction::actionWithTitle("Retry", 0, [&](AlertAction* a) {
        boxGoneAtHandler = window.presentedViewControllers().isEmpty();
        ran << a->title();
    });
    box->addAction(
        AlertAction::actionWithTitle("Cancel", 1, [&](AlertAction* a) { ran << a->title(); }));
    box->addAction(retry);
    box->addAction(AlertAction::actionWithTitle("Delete", 2));
    box->setPreferredAction(retry);
    window.rootViewController()->presentViewController(box, false);

    EXPECT_EQ(shownRows(box), QStringList({"Retry", "Delete", "Cancel"}));
    EXPECT_EQ(box->titleLabel()->text(), "Error");
    EXPECT_FALSE(box->titleIcon()->isHidden());
    QLabel* retryLabel = qobject_cast<QLabel*>(
        View::viewWithTag(box->actionsTableView()->cellForRowAtIndexPath({0, 0}), 1));
    EXPECT_TRUE(retryLabel->font().bold());
    // Three actions keep the storyboard's minimum height of the actions area.
    EXPECT_EQ(box->actionsMinimunHeightConstraint(), 132);

    QTest::mouseClick(box->actionsTableView()->cellForRowAtIndexPath({0, 0}), Qt::LeftButton);
    box->tapActionWithTitle("Cancel"); // a second tap while closing changes nothing
    EXPECT_TRUE(ran.isEmpty());
    clock->advance(ViewController::kTransitionMs);
    EXPECT_EQ(ran, QStringList({"Retry"}));
    EXPECT_TRUE(boxGoneAtHandler);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(box.isNull());
}

TEST_F(AlertFixture, RowsFollowTitleMessageAndFields) {
    AlertController* box = AlertController::alertControllerWithTitle(QString(), QString());
    box->addLabelWithConfigurationHandler([](QLabel* label) { label->setText("extra"); });
    int configured = 0;
    box->addTextFieldWithConfigurationHandler([&](TextField* field) {
        ++configured;
        field->setPlaceholderText("CBU");
    });
    box->addAction(AlertAction::actionWithTitle("OK", 0));
    window.rootViewController()->presentViewController(box, false);

    // No title line, no icon, no empty message row; the caller's rows remain.
    EXPECT_TRUE(box->titleLabel() == nullptr || box->titleLabel()->isHidden());
    EXPECT_TRUE(box->titleIcon() == nullptr || box->titleIcon()->isHidden());
    ASSERT_EQ(box->contentTableView()->numberOfRowsInSection(0), 2);
    ASSERT_EQ(box->textFields().size(), 1);
    EXPECT_EQ(box->textFields().first()->placeholderText(), "CBU");
    EXPECT_EQ(configured, 1);
    // With one action the minimum follows the actions' own height.
    EXPECT_EQ(box->actionsMinimunHeightConstraint(), box->actionsHeightConstraint());
    EXPECT_EQ(box->preferredContentSize().width(), 312);
}

TEST(AlertController, APopoverWithoutRegularWidthBecomesOverCurrentContext) {
    std::unique_ptr<AlertController> box(AlertController::alertControllerWithTitle("T", "M"));
    box->setModalPresentationStyle(ViewController::ModalPresentationStyle::Popover);
    EXPECT_EQ(box->modalPresentationStyle(),
              ViewController::ModalPresentationStyle::OverCurrentContext);
    Device::current().setIdiom(Device::Idiom::Pad);
    box->setModalPresentationStyle(ViewController::ModalPresentationStyle::Popover);
    Device::current().setIdiom(Device::Idiom::Phone);
    EXPECT_EQ(box->modalPresentationStyle(), ViewController::ModalPresentationStyle::Popover);
}
