#include "reader/ReaderController.h"
#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "api/APIConfiguration.h"
#include "platform/ui/Clock.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Services.h"
#include "platform/ui/SlidingViewController.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"
#include "reader/ReaderDemoCompletedViewController.h"
#include "reader/ReaderScreens.h"
#include "reader/SettingsScreen.h"
#include "reader/simulated/SimulatedReaderHost.h"
#include "support/SandboxFixture.h"
#include "support/TestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace reader_choice_test {

struct SettingsStandIn : ViewController, SettingsScreen {};

struct CardReadingHost : SimulatedReaderHost {
    int processed = 0;
    void processSale() override { ++processed; }
};

struct CardReadingStandIn : ViewController {
    CardReadingStandIn() {
        navigationItem()->setRightBarButtonItem(BarButtonItem{"Ayuda", "helpButton", {}, {}, true});
    }
};

class ReaderChoiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto configuration = std::make_shared<APIConfiguration>();
        configuration->setBaseURL(sandbox.baseUrl());
        ASSERT_TRUE(configuration->addTrustedCAFile(sandbox.caFile()));
        Services::set<APIConfiguration>(configuration);
        token = sandbox.merchantToken();
        User::instance().setToken(token);
        userId = QString::number(sandbox.state().userForToken(token)->userId);
        User::instance().setUserId(userId);
        AccountSettings::instance().setSelectedCardReader(6);
        AccountSettings::instance().setCardReaderSelected(false);
        Storyboard::registerViewController(QString(ReaderScreens::cardReading.storyboard),
                                           QString(ReaderScreens::cardReading.identifier),
                                           [] { return new CardReadingStandIn(); });
        window.widget()->resize(320, 568);
    }
    void TearDown() override {
        Storyboard::removeViewController(QString(ReaderScreens::cardReading.storyboard),
                                         QString(ReaderScreens::cardReading.identifier));
        Services::set<APIConfiguration>(nullptr);
        Device::current().setIdiom(Device::Idiom::Phone);
        AccountSettings::instance().setCardReaderSelected(false);
    }

    // The reader screen pushed above the given screens of a navigation stack on screen.
    ReaderController* pushOnto(QList<ViewController*> below) {
        auto* navigation = new NavigationController(below.isEmpty() ? nullptr : below.first());
        for (int i = 1; i < below.size(); ++i)
            navigation->pushViewController(below[i], false);
        window.setRootViewController(navigation);
        window.makeKeyAndVisible();
        auto* screen = new ReaderController();
        if (below.isEmpty())
            navigation->setViewControllers({screen}, false);
        else
            navigation->pushViewController(screen, false);
        clock->advance(0);
        return screen;
    }
    QList<SandboxRequest> selectReaderRequests() {
        return sandbox->requestsTo(SandboxServer::apiPath("/users/selectReader.json"));
    }
    static void tapReader(ReaderController* screen, const QString& readerId) {
        const QVariantList readers = screen->availableReaders();
        for (int row = 0; row < readers.size(); ++row)
            if (readers[row].toMap().value("readerId").toString() == readerId)
                screen->readersCollectionView()->tapItemAtIndexPath({0, row});
    }
    static bool marked(ReaderController* screen, int row) {
        QWidget* cell = screen->readersCollectionView()->cellForItemAtIndexPath({0, row});
        return cell && !View::viewWithTag(cell, 1001)->isHidden();
    }

    TemporaryDefaults defaults;
    SandboxFixture sandbox;
    ScopedManualClock clock;
    Window window;
    QString token;
    QString userId;
};

TEST_F(ReaderChoiceTest, FromSettingsTheBackButtonSavesAndOnlyAChangeIsSent) {
    auto* settings = new SettingsStandIn();
    ReaderController* screen = pushOnto({settings});
    EXPECT_TRUE(screen->loadedFromSettings());
    EXPECT_EQ(screen->navigationItem()->title(), "Lector de tarjetas");
    EXPECT_TRUE(screen->navigationItem()->rightBarButtonItems().isEmpty());
    ASSERT_EQ(screen->navigationItem()->leftBarButtonItems().size(), 1);
    EXPECT_FALSE(screen->footerView());
    EXPECT_FALSE(screen->readersCollectionView()->supplementaryViewForSection(0));

    // The same reader as before: back pops at once, nothing is sent or written.
    EXPECT_EQ(screen->selectedReader(), "bluepad"); // the first entry: no earlier choice
    AccountSettings::instance().setSelectedCardReader(1);
    screen->navigationItem()->leftBarButtonItems().first().action();
    clock->advance(1000);
    EXPECT_TRUE(AccountSettings::instance().cardReaderSelected());
    EXPECT_TRUE(UserDefaults::standardUserDefaults().objectForKey("selectedReader").isNull());
    auto* navigation = qobject_cast<NavigationController*>(window.rootViewController());
    EXPECT_EQ(navigation->topViewController(), settings);

    // Another reader: sent with the user's id and token, stored, and the screen pops.
    screen = new ReaderController();
    navigation->pushViewController(screen, false);
    EXPECT_EQ(screen->selectedReader(), "bluepad"); // AccountSettings names the saved one
    tapReader(screen, "dspread_pinpad");
    EXPECT_TRUE(marked(screen, 5));
    EXPECT_FALSE(marked(screen, 0));
    screen->back();
    ASSERT_TRUE(waitUntil([&] {
        clock->advance(10);
        return selectReaderRequests().size() == 1;
    }));
    const SandboxRequest request = selectReaderRequests().first();
    EXPECT_EQ(request.field("selectedReader"), "dspread_pinpad");
    EXPECT_EQ(request.field("token"), token);
    EXPECT_EQ(request.field("userId"), userId);
    EXPECT_EQ(AccountSettings::instance().selectedCardReader(), 6);
    EXPECT_EQ(UserDefaults::standardUserDefaults().stringForKey("selectedReader"),
              "dspread_pinpad");
    clock->advance(1000);
    EXPECT_EQ(navigation->topViewController(), settings);
}

TEST_F(ReaderChoiceTest, InitialChoiceAndNoSaveWithoutAReaderOfTheList) {
    struct Case {
        bool selectedBefore;
        int code;
        QVariantList readers;
        QString chosen;
        bool canSave;
    } cases[] = {
        {false, 6, ReaderController::defaultReaders(), "bluepad", true},
        {true, 7, ReaderController::defaultReaders(), "magicpos", true},
        {true, 0, ReaderController::defaultReaders(), "drd50", false}, // not offered: no mark
        {false, 6, {}, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen.toStdString());
        AccountSettings::instance().setCardReaderSelected(c.selectedBefore);
        AccountSettings::instance().setSelectedCardReader(c.code);
        auto* presenter = new ViewController();
        window.setRootViewController(presenter);
        window.makeKeyAndVisible();
        auto* screen = new ReaderController();
        screen->setAvailableReaders(c.readers);
        presenter->presentViewController(new NavigationController(screen), false);
        EXPECT_EQ(screen->selectedReader(), c.chosen);
        int marks = 0;
        for (int row = 0; row < c.readers.size(); ++row)
            marks += marked(screen, row);
        EXPECT_EQ(marks, c.canSave ? 1 : 0);
        ASSERT_EQ(screen->navigationItem()->rightBarButtonItems().size(), 1);
        const BarButtonItem save = screen->navigationItem()->rightBarButtonItems().first();
        EXPECT_EQ(save.title, "Continuar");
        EXPECT_EQ(save.enabled, c.canSave);
        EXPECT_TRUE(screen->navigationItem()->leftBarButtonItems().isEmpty());
        EXPECT_EQ(
            qobject_cast<QLabel*>(screen->footerText())->text(),
            "Puedes cambiar esta selección en cualquier momento desde el menú de configuración");
        screen->saveReader();
        if (!c.canSave) {
            EXPECT_TRUE(
                UserDefaults::standardUserDefaults().objectForKey("selectedReader").isNull());
        }
        window.setRootViewController(nullptr);
        UserDefaults::standardUserDefaults().removeObjectForKey("selectedReader");
    }
}

TEST_F(ReaderChoiceTest, CellSizeAndFooterFollowTheViewSize) {
    struct Case {
        QSize window;
        QSize cell;
        bool settingsPicture;
        int footer;
    } cases[] = {
        {{320, 499}, {148, 208}, false, 58},
        {{375, 500}, {175, 235}, true, 150},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window.width());
        auto* screen = new ReaderController();
        window.setRootViewController(screen);
        window.widget()->resize(c.window);
        window.makeKeyAndVisible();
        QCoreApplication::sendPostedEvents();
        screen->layoutIfNeeded();
        EXPECT_EQ(screen->view()->size(), c.window);
        EXPECT_EQ(screen->collectionViewSizeForItemAtIndexPath(nullptr, {0, 0}), c.cell);
        EXPECT_EQ(screen->readersCollectionView()->cellForItemAtIndexPath({0, 1})->size(), c.cell);
        EXPECT_EQ(screen->settingsImageView() != nullptr, c.settingsPicture);
        EXPECT_EQ(screen->footerHeightConstraint(), c.footer);
        window.setRootViewController(nullptr);
    }
}

TEST_F(ReaderChoiceTest, PresentedScreenLeavesByItsPresenter) {
    for (bool pad : {true, false}) {
        SCOPED_TRACE(pad ? "pad" : "phone");
        Device::current().setIdiom(pad ? Device::Idiom::Pad : Device::Idiom::Phone);
        auto* container = new SlidingViewController();
        auto* cardReading = new CardReadingHost();
        container->setTopViewController(new NavigationController(cardReading));
        window.setRootViewController(container);
        window.makeKeyAndVisible();
        auto* screen = new ReaderController();
        screen->setFromSaleButton(true);
        auto* navigation = new NavigationController(screen);
        container->presentViewController(navigation, false);
        screen->saveReader();
        EXPECT_EQ(cardReading->processed, 0); // only once the dismissal has finished
        clock->advance(1000);
        EXPECT_FALSE(container->presentedViewController());
        EXPECT_EQ(cardReading->processed, pad ? 1 : 0);
        window.setRootViewController(nullptr);
    }
}

TEST_F(ReaderChoiceTest, InALongerFlowSavingGoesOnToCardReadingWithoutComingBack) {
    auto* sale = new ViewController();
    ReaderController* screen = pushOnto({sale});
    EXPECT_FALSE(screen->loadedFromSettings());
    tapReader(screen, "dspread");
    screen->saveReader();
    clock->advance(1000);
    auto* navigation = qobject_cast<NavigationController*>(window.rootViewController());
    const QList<ViewController*> stack = navigation->viewControllers();
    ASSERT_EQ(stack.size(), 2);
    EXPECT_EQ(stack[0], sale);
    auto* cardReading = dynamic_cast<CardReadingStandIn*>(stack[1]);
    ASSERT_TRUE(cardReading);
    EXPECT_EQ(cardReading->navigationItem()->rightBarButtonItems().first().title, "");
    EXPECT_EQ(UserDefaults::standardUserDefaults().stringForKey("selectedReader"), "dspread");
}

struct DemoHost : QObject, ReaderDemoCompletedDelegate {
    int dismissed = 0;
    void readerDemoDismissed() override { ++dismissed; }
};

TEST(ReaderDemoCompleted, ContinueTellsTheDelegateOncePerTap) {
    ReaderDemoCompletedViewController page;
    page.view();
    EXPECT_EQ(page.title(), "Prueba Exitosa");
    EXPECT_EQ(page.titleLabel()->text(), "La prueba del lector fue exitosa.");
    EXPECT_EQ(page.subtitleLabel()->text(), "¡Empeza a vender con Tarvello!");
    EXPECT_EQ(page.continueButton()->text(), "Continuar");
    EXPECT_TRUE(page.navigationItem()->hidesBackButton());
    page.continueButton()->click(); // no delegate: nothing
    DemoHost host;
    page.setDelegate(&host);
    page.continueButton()->click();
    page.continueButton()->click();
    EXPECT_EQ(host.dismissed, 2);
}

} // namespace reader_choice_test
