#include "Printers.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/PickerView.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"
#include "support/TestSupport.h"

#include <QLabel>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A screen that writes its lifecycle into a shared log as "name:event".
class LoggingScreen : public ViewController {
    Q_OBJECT
public:
    LoggingScreen(QString name, QStringList* log, QObject* parent = nullptr)
        : ViewController(parent)
        , name_(std::move(name))
        , log_(log) {}
    void viewDidLoad() override { log_->append(name_ + ":load"); }
    void viewWillAppear(bool) override { log_->append(name_ + ":willAppear"); }
    void viewDidAppear(bool) override { log_->append(name_ + ":didAppear"); }
    void viewWillDisappear(bool) override { log_->append(name_ + ":willDisappear"); }
    void viewDidDisappear(bool) override {
        log_->append(name_ + (isBeingDismissed() ? ":didDisappear(dismissed)" : ":didDisappear"));
    }
    void prepareForSegue(StoryboardSegue& segue, QObject*) override {
        log_->append(name_ + ":prepare " + segue.identifier());
        if (auto* destination = dynamic_cast<LoggingScreen*>(segue.destinationViewController()))
            destination->received = QStringLiteral("from ") + name_;
    }
    QString received;

private:
    QString name_;
    QStringList* log_;
};

class FlowEndingNavigation : public NavigationController, public FlowEndDelegate {
public:
    using NavigationController::NavigationController;
    void operationDone(std::shared_ptr<Sale>) override { ends.append("operationDone"); }
    void canceled(std::optional<TarvelloError> error) override {
        ends.append(QStringLiteral("canceled %1").arg(error ? error->code : -1));
    }
    QStringList ends;
};

struct WindowFixture : ::testing::Test {
    void SetUp() override {
        window = std::make_unique<Window>();
        root = new LoggingScreen("root", &log);
        window->setRootViewController(root);
        window->makeKeyAndVisible();
        log.clear();
    }
    QStringList log;
    std::unique_ptr<Window> window;
    LoggingScreen* root = nullptr;
};

} // namespace

TEST_F(WindowFixture, SeguePreparesTheDestinationBeforeItAppears) {
    Storyboard::registerViewController("Test", "First",
                                       [this] { return new LoggingScreen("first", &log); });
    Storyboard::registerViewController("Test", "Second",
                                       [this] { return new LoggingScreen("second", &log); });
    Storyboard::registerSegue("Test", "First", "nextSegue",
                              {"Test", "Second", SegueKind::Push, {}});
    auto* nav = new NavigationController(Storyboard::instantiate("Test", "First"));
    root->presentViewController(nav, false);
    log.clear();

    nav->topViewController()->performSegueWithIdentifier("nextSegue");

    ASSERT_EQ(nav->viewControllers().size(), 2);
    auto* second = dynamic_cast<LoggingScreen*>(nav->topViewController());
    EXPECT_EQ(second->received, "from first");
    EXPECT_EQ(log, QStringList({"first:prepare nextSegue", "first:willDisappear", "second:load",
                                "second:willAppear", "first:didDisappear", "second:didAppear"}));
    EXPECT_EQ(second->navigationController(), nav);

    log.clear();
    nav->navigationBar()->backButton()->click();
    EXPECT_EQ(nav->viewControllers().size(), 1);
    EXPECT_EQ(log, QStringList({"second:willDisappear", "first:willAppear", "second:didDisappear",
                                "first:didAppear"}));
    Storyboard::removeViewController("Test", "First");
    Storyboard::removeViewController("Test", "Second");
    Storyboard::removeSegue("Test", "First", "nextSegue");
}

TEST(Storyboard, AScreenNobodyRegisteredIsNull) {
    EXPECT_EQ(Storyboard::instantiate("Share", "Nothing"), nullptr);
    EXPECT_EQ(Storyboard("Nowhere").instantiateInitialViewController(), nullptr);
}

namespace {

int earlyAreaRuns = 0;
void registerEarlyArea() {
    ++earlyAreaRuns;
    Storyboard::registerViewController("AreaTest", "Early", [] { return new ViewController(); });
}

int lateAreaRuns = 0;
void registerLateArea() {
    ++lateAreaRuns;
    Storyboard::registerViewController("AreaTest", "Late", [] { return new ViewController(); });
}

} // namespace

TEST(Storyboard, AreasRegisterOnceBeforeTheRegistryIsNextUsed) {
    Storyboard::addArea(&registerEarlyArea);
    Storyboard::addArea(&registerEarlyArea);
    EXPECT_EQ(earlyAreaRuns, 0);

    // A stand-in registered under an area's name replaces the area's screen, whatever ran first.
    Storyboard::registerViewController("AreaTest", "Early", [] {
        auto* standIn = new ViewController();
        standIn->setObjectName("standIn");
        return standIn;
    });
    EXPECT_EQ(earlyAreaRuns, 1);
    std::unique_ptr<ViewController> early(Storyboard::instantiate("AreaTest", "Early"));
    ASSERT_TRUE(early);
    EXPECT_EQ(early->objectName(), "standIn");
    EXPECT_EQ(early->storyboardIdentifier(), "Early");

    // An area added later registers at the next use; the first one does not run again.
    Storyboard::addArea(&registerLateArea);
    EXPECT_TRUE(Storyboard::hasViewController("AreaTest", "Late"));
    EXPECT_EQ(earlyAreaRuns, 1);
    EXPECT_EQ(lateAreaRuns, 1);

    Storyboard::removeViewController("AreaTest", "Early");
    Storyboard::removeViewController("AreaTest", "Late");
}

TEST_F(WindowFixture, ModalPresentAndDismissRunCompletionsAndOnlyFullScreenHidesBelow) {
    ScopedManualClock clock;
    struct Case {
        ViewController::ModalPresentationStyle style;
        QStringList below;
    } cases[] = {
        {ViewController::ModalPresentationStyle::FullScreen,
         {"root:willDisappear", "root:didDisappear", "root:willAppear", "root:didAppear"}},
        {ViewController::ModalPresentationStyle::FormSheet, {}},
    };
    for (const Case& c : cases) {
        log.clear();
        QPointer<LoggingScreen> sheet = new LoggingScreen("sheet", &log);
        sheet->setModalPresentationStyle(c.style);
        bool presented = false;
        root->presentViewController(sheet, true, [&] { presented = true; });
        EXPECT_FALSE(presented);
        EXPECT_EQ(root->presentedViewController(), sheet.data());
        EXPECT_EQ(sheet->presentingViewController(), root);
        clock->advance(ViewController::kTransitionMs);
        EXPECT_TRUE(presented);
        EXPECT_TRUE(sheet->isVisible());
        EXPECT_EQ(window->presentedViewControllers(), QList<ViewController*>({sheet.data()}));

        bool dismissed = false;
        bool sheetGoneWhenCompleted = false;
        sheet->dismissViewControllerAnimated(true, [&] {
            dismissed = true;
            sheetGoneWhenCompleted = root->presentedViewController() == nullptr;
        });
        // A second request while leaving runs its completion with the first.
        bool second = false;
        root->dismissViewControllerAnimated(true, [&] { second = true; });
        clock->advance(ViewController::kTransitionMs);
        EXPECT_TRUE(dismissed);
        EXPECT_TRUE(second);
        EXPECT_TRUE(sheetGoneWhenCompleted);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(sheet.isNull()); // a presentation owns what it presented

        QStringList below;
        for (const QString& entry : log)
            if (entry.startsWith("root:"))
                below.append(entry);
        EXPECT_EQ(below, c.below);
        EXPECT_TRUE(log.contains("sheet:didDisappear(dismissed)"));
    }
}

TEST_F(WindowFixture, AppearanceIsForwardedToChildren) {
    auto* parent = new LoggingScreen("parent", &log);
    parent->setModalPresentationStyle(ViewController::ModalPresentationStyle::FormSheet);
    root->presentViewController(parent, false);
    auto* child = new LoggingScreen("child", &log);
    parent->embedChildViewController(child, parent->view());
    EXPECT_EQ(child->parentViewController(), parent);
    EXPECT_TRUE(child->isVisible());
    log.clear();

    parent->dismissViewControllerAnimated(false);
    EXPECT_EQ(log,
              QStringList({"parent:willDisappear", "child:willDisappear",
                           "parent:didDisappear(dismissed)", "child:didDisappear(dismissed)"}));
}

TEST_F(WindowFixture, FlowEndsReachTheControllerUpTheChain) {
    auto* nav = new FlowEndingNavigation(new LoggingScreen("a", &log));
    root->presentViewController(nav, false);
    auto* inner = new LoggingScreen("b", &log);
    nav->pushViewController(inner, false);
    auto* modal = new LoggingScreen("c", &log);
    inner->presentViewController(modal, false);

    ASSERT_EQ(modal->flowEndDelegate(), static_cast<FlowEndDelegate*>(nav));
    modal->flowEndDelegate()->canceled(TarvelloError::sdk(1000, "User canceled"));
    inner->flowEndDelegate()->operationDone(nullptr);
    EXPECT_EQ(nav->ends, QStringList({"canceled 1000", "operationDone"}));
    EXPECT_EQ(root->flowEndDelegate(), nullptr);
}

TEST(ManualClock, RunsDelayedCallsAndAnimationCompletionsInOrder) {
    ScopedManualClock clock;
    QStringList order;
    Clock& c = Clock::current();
    c.callAfter(200, nullptr, [&] { order << "call200"; });
    c.animate(100, nullptr, {}, [&](bool finished) {
        order << QStringLiteral("anim100 %1").arg(finished);
        // A chained animation scheduled inside a completion runs in the same advance.
        Clock::current().animate(50, nullptr, {},
                                 [&](bool f) { order << QStringLiteral("chained %1").arg(f); });
    });
    c.callAfter(100, nullptr, [&] { order << "call100"; });
    QObject context;
    auto* doomed = new QObject();
    c.callAfter(10, doomed, [&] { order << "dropped"; });
    delete doomed;
    (void)context;

    clock->advance(99);
    EXPECT_TRUE(order.isEmpty());
    clock->advance(200);
    EXPECT_EQ(order, QStringList({"anim100 1", "call100", "chained 1", "call200"}));
    EXPECT_EQ(clock->pendingCount(), 0);
}

TEST(ManualClock, AnAnimationStoppedEarlyReportsNotFinished) {
    ScopedManualClock clock;
    QList<double> steps;
    std::optional<bool> finished;
    const Clock::Handle handle = Clock::current().animate(
        300, nullptr, [&](double p) { steps << p; }, [&](bool f) { finished = f; });
    clock->advance(150);
    EXPECT_DOUBLE_EQ(steps.last(), 0.5);
    Clock::current().cancel(handle);
    ASSERT_TRUE(finished.has_value());
    EXPECT_FALSE(*finished);
    clock->advance(1000);
    EXPECT_DOUBLE_EQ(steps.last(), 0.5);

    // View alpha runs on the same clock.
    QWidget view;
    std::optional<bool> faded;
    View::animateAlpha(&view, 0.0, 250, [&](bool f) { faded = f; });
    clock->advance(250);
    EXPECT_EQ(faded, true);
    EXPECT_DOUBLE_EQ(View::alpha(&view), 0.0);
}

TEST(RealClock, StoppedAnimationReportsNotFinished) {
    std::optional<bool> finished;
    const Clock::Handle handle =
        Clock::current().animate(10000, nullptr, {}, [&](bool f) { finished = f; });
    Clock::current().cancel(handle);
    EXPECT_EQ(finished, false);
}

// The target of an animation, as a screen's overlay is one.
class AnimatedTarget : public QWidget {
public:
    int touched = 0;
};

TEST(Clocks, AnAnimationWhoseTargetIsDestroyedStopsAndReportsOnceItIsGone) {
    for (const bool manual : {true, false}) {
        SCOPED_TRACE(manual ? "manual clock" : "real clock");
        std::optional<ScopedManualClock> scope;
        if (manual)
            scope.emplace();
        auto* target = new AnimatedTarget;
        QPointer<AnimatedTarget> guard(target);
        bool destroyed = false;
        int stepsAfter = 0;
        std::optional<bool> finished;
        bool goneAtCompletion = false;
        Clock::current().animate(
            1000, target, [&](double) { stepsAfter += destroyed ? 1 : 0; },
            [&, guard](bool f) {
                finished = f;
                goneAtCompletion = guard.isNull();
                if (guard)
                    ++guard->touched;
            });
        if (manual)
            scope->clock().advance(300);
        else
            QTest::qWait(50);
        destroyed = true;
        delete target;
        EXPECT_FALSE(finished.has_value()); // not from inside the destruction
        if (manual)
            scope->clock().advance(0);
        else
            EXPECT_TRUE(waitUntil([&] { return finished.has_value(); }));
        EXPECT_EQ(finished, false);
        EXPECT_TRUE(goneAtCompletion);
        if (manual) {
            scope->clock().advance(2000);
            EXPECT_EQ(scope->clock().pendingCount(), 0);
        } else {
            QTest::qWait(100);
        }
        EXPECT_EQ(stepsAfter, 0);
    }
}

TEST_F(WindowFixture, AlertRunsTheHandlerAfterItHasClosed) {
    ScopedManualClock clock;
    auto* alert =
        SystemAlert::alertControllerWithTitle("", "Message", SystemAlert::Style::ActionSheet);
    QStringList taps;
    bool presentAtHandler = true;
    alert->addAction("Cancel", SystemAlertAction::Cancel,
                     [&](SystemAlertAction*) { taps << "Cancel"; });
    alert->addAction("One", SystemAlertAction::Default, [&](SystemAlertAction* a) {
        presentAtHandler = root->presentedViewController() != nullptr;
        taps << a->title();
    });
    root->presentViewController(alert, false);
    // The cancel button of a sheet stands last.
    auto* panel = alert->outlet<QWidget>("alertPanel");
    QList<QPushButton*> buttons = panel->findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 2);
    EXPECT_EQ(buttons.at(0)->text(), "One");
    EXPECT_EQ(buttons.at(1)->text(), "Cancel");

    EXPECT_TRUE(alert->tapButtonWithTitle("One"));
    EXPECT_TRUE(taps.isEmpty());
    alert->tapButtonWithTitle("Cancel"); // a second tap while closing does nothing
    clock->advance(ViewController::kTransitionMs);
    EXPECT_EQ(taps, QStringList({"One"}));
    EXPECT_FALSE(presentAtHandler);
}

namespace {
class Recorder : public TextFieldDelegate {
public:
    bool textFieldShouldChangeCharactersInRange(TextField*, int start, int length,
                                                const QString& replacement) override {
        asked << QStringLiteral("%1,%2,%3").arg(start).arg(length).arg(replacement);
        return replacement != "x";
    }
    QStringList asked;
};
} // namespace

TEST(TextFieldSemantics, TypedEditsAskThenAnnounceWhileSetTextIsSilent) {
    TextField field;
    Recorder recorder;
    field.setDelegate(&recorder);
    int announced = 0;
    QObject::connect(&field, &TextField::editingChanged, [&] { ++announced; });

    field.setText("12");
    EXPECT_EQ(announced, 0);
    EXPECT_TRUE(recorder.asked.isEmpty());

    field.setCursorPosition(2);
    QTest::keyClicks(&field, "3x");
    field.deleteBackward();
    field.insertText("9");
    EXPECT_EQ(field.text(), "129");
    EXPECT_EQ(recorder.asked, QStringList({"2,0,3", "3,0,x", "2,1,", "2,0,9"}));
    EXPECT_EQ(announced, 3);
}

namespace {
class Rows : public TableViewDataSource,
             public TableViewDelegate,
             public PickerViewDataSource,
             public PickerViewDelegate {
public:
    int tableViewNumberOfRowsInSection(TableView*, int) override { return 3; }
    QWidget* tableViewCellForRowAtIndexPath(TableView*, IndexPath path) override {
        auto* cell = new QLabel(QStringLiteral("row %1").arg(path.row));
        cell->setMinimumHeight(40);
        return cell;
    }
    void tableViewDidSelectRowAtIndexPath(TableView*, IndexPath path) override {
        tapped << path.row;
    }
    int pickerViewNumberOfRowsInComponent(PickerView*, int) override { return 5000; }
    QString pickerViewTitleForRow(PickerView*, int row, int) override {
        ++titlesAsked;
        return QString::number(row % 5);
    }
    void pickerViewDidSelectRow(PickerView*, int row, int) override { picked << row; }
    QList<int> tapped, picked;
    int titlesAsked = 0;
};
} // namespace

TEST(TableAndPicker, TapsReachTheDelegateAndWheelsStayVirtual) {
    Rows rows;
    TableView table;
    table.setDataSource(&rows);
    table.setDelegate(&rows);
    table.resize(300, 400);
    table.reloadData();
    table.show();
    QWidget* cell = table.cellForRowAtIndexPath({0, 1});
    ASSERT_NE(cell, nullptr);
    QTest::mouseClick(cell, Qt::LeftButton);
    EXPECT_EQ(rows.tapped, QList<int>({1}));
    EXPECT_EQ(table.indexPathForSelectedRow(), std::optional<IndexPath>(IndexPath{0, 1}));
    EXPECT_GE(table.contentHeight(), 120);

    PickerView picker;
    picker.setDataSource(&rows);
    picker.setDelegate(&rows);
    picker.reloadAllComponents();
    picker.selectRow(2500, 0, false);
    picker.resize(200, 160);
    picker.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(picker.selectedRowInComponent(0), 2500);
    EXPECT_TRUE(rows.picked.isEmpty()); // moving the wheel in code tells nobody
    EXPECT_LT(rows.titlesAsked, 500);
    picker.pickRow(2501, 0);
    EXPECT_EQ(rows.picked, QList<int>({2501}));
}

TEST_F(WindowFixture, EscapeClosesASheetUnlessItIsModalInPresentation) {
    for (bool modal : {true, false}) {
        QPointer<LoggingScreen> sheet = new LoggingScreen("sheet", &log);
        sheet->setModalPresentationStyle(ViewController::ModalPresentationStyle::FormSheet);
        sheet->setModalInPresentation(modal);
        root->presentViewController(sheet, false);
        QTest::keyClick(window->presentationContainer(sheet), Qt::Key_Escape);
        EXPECT_EQ(root->presentedViewController() == sheet.data(), modal);
        root->dismissViewControllerAnimated(false);
    }
}

TEST_F(WindowFixture, AnEmbedSeguePutsTheDestinationInItsContainer) {
    Storyboard::registerViewController("Test", "Page",
                                       [this] { return new LoggingScreen("page", &log); });
    Storyboard::registerSegue("", "LoggingScreen", "page1",
                              {"Test", "Page", SegueKind::Embed, "pageContainer"});
    auto* host = new LoggingScreen("host", &log);
    auto* container = new QWidget(host->view());
    container->setObjectName("pageContainer");
    root->presentViewController(host, false);
    log.clear();

    host->performSegueWithIdentifier("page1");
    ASSERT_EQ(host->childViewControllers().size(), 1);
    ViewController* page = host->childViewControllers().first();
    EXPECT_TRUE(container->isAncestorOf(page->view()));
    EXPECT_EQ(
        log, QStringList({"host:prepare page1", "page:load", "page:willAppear", "page:didAppear"}));
    host->performSegueWithIdentifier("unknownSegue"); // no such segue: nothing happens
    EXPECT_EQ(host->childViewControllers().size(), 1);
    Storyboard::removeViewController("Test", "Page");
    Storyboard::removeSegue("", "LoggingScreen", "page1");
}

#include "ScreenLayerTest.moc"
