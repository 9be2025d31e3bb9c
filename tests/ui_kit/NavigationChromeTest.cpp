#include "Printers.h"
#include "platform/ui/Window.h"
#include "ui_kit/AlertController.h"
#include "ui_kit/MainNavigationController.h"
#include "ui_kit/SplitViewController.h"
#include "ui_kit/ViewControllerNavigationSpecifier.h"

#include <gtest/gtest.h>

namespace {

class TypedScreen : public ViewController, public ViewControllerNavigationSpecifier {
public:
    TypedScreen(std::optional<int> type, bool stylesItself = false, int ownStyle = 0)
        : type_(type)
        , stylesItself_(stylesItself)
        , ownStyle_(ownStyle) {}
    std::optional<int> preferredNavigationType() const override {
        ++asked;
        return type_;
    }
    bool setNavigationColors() override {
        if (stylesItself_)
            ++styled;
        return stylesItself_;
    }
    int preferredStatusBarStyle() const override { return ownStyle_; }
    mutable int asked = 0;
    int styled = 0;

private:
    std::optional<int> type_;
    bool stylesItself_;
    int ownStyle_;
};

class OuterDelegate : public NavigationControllerDelegate {
public:
    void navigationControllerWillShowViewController(NavigationController*, ViewController*,
                                                    bool) override {
        calls << "willShow";
    }
    void navigationControllerDidShowViewController(NavigationController*, ViewController*,
                                                   bool) override {
        calls << "didShow";
    }
    QStringList calls;
};

struct ChromeFixture : ::testing::Test {
    void SetUp() override {
        window.setRootViewController(new ViewController());
        window.makeKeyAndVisible();
        Application::setStatusBarStyle(0);
    }
    Window window;
};

} // namespace

TEST_F(ChromeFixture, StatusBarFollowsTheTopScreenAndOuterDelegateGetsCallbacks) {
    auto* nav = new MainNavigationController(new TypedScreen(0));
    OuterDelegate outer;
    nav->setDelegate(&outer); // before the view loads: kept for the manager
    window.rootViewController()->presentViewController(nav, false);
    ASSERT_NE(nav->navTransition(), nullptr);
    EXPECT_EQ(nav->delegate(), nav->navTransition());
    EXPECT_EQ(Application::statusBarStyle(), 3); // dark content on current systems

    auto* selfStyled = new TypedScreen(2, true);
    nav->pushViewController(selfStyled, false);
    EXPECT_EQ(selfStyled->styled, 1); // as it is shown (a push restyles only along its animation)
    EXPECT_EQ(selfStyled->asked, 0);
    EXPECT_EQ(outer.calls, QStringList({"willShow", "didShow"}));

    auto* light = new TypedScreen(1, false, 1);
    nav->pushViewController(light, false);
    EXPECT_EQ(Application::statusBarStyle(), 1); // its own style wins over its type

    Device::current().setSystemVersion("12.0");
    nav->popToRootViewControllerAnimated(false);
    EXPECT_EQ(Application::statusBarStyle(), 0);
    Device::current().setSystemVersion("13.0");
}

TEST_F(ChromeFixture, AnAlertTakesTheStyleOfTheScreenBelowIt) {
    auto* top = new TypedScreen(std::nullopt, false, 1);
    auto* nav = new MainNavigationController(top);
    window.rootViewController()->presentViewController(nav, false);
    AlertController* box = AlertController::alertControllerWithTitle("T", "M");
    nav->presentViewController(box, false);
    EXPECT_EQ(nav->navTransition()->preferredStatusBarStyleForViewController(box), 1);
    std::unique_ptr<AlertController> alone(AlertController::alertControllerWithTitle("T", "M"));
    EXPECT_EQ(nav->navTransition()->preferredStatusBarStyleForViewController(alone.get()), 0);
}

TEST(NavigationChrome, PhonesStayPortraitPadsTurn) {
    MainNavigationController nav;
    EXPECT_EQ(nav.supportedInterfaceOrientations(), 2);
    Device::current().setIdiom(Device::Idiom::Pad);
    EXPECT_EQ(nav.supportedInterfaceOrientations(), 30);
    Device::current().setIdiom(Device::Idiom::Phone);
    EXPECT_TRUE(nav.shouldAutorotate());
}

TEST(NavigationSplitView, ColumnsAreToldTheirOwnSizeClass) {
    Device::current().setIdiom(Device::Idiom::Pad);
    {
        SplitViewController split;
        auto* master = new ViewController();
        auto* detail = new ViewController();
        split.setViewControllers({new NavigationController(master), detail});
        split.view()->resize(1024, 768);
        split.layoutIfNeeded();
        EXPECT_EQ(split.preferredDisplayMode(), SplitViewController::AllVisible);
        EXPECT_EQ(split.masterController(), master);
        EXPECT_EQ(split.detailController(), detail);
        EXPECT_EQ(master->traitCollection().horizontalSizeClass, 1);
        EXPECT_EQ(detail->traitCollection().horizontalSizeClass, 2);

        struct Case {
            double width;
            int sizeClass;
        } cases[] = {{450, 2}, {449.5, 1}};
        split.setOverrideTraitCollection(TraitCollection{0, 1}, detail);
        for (const Case& c : cases) {
            split.changeTraitsOnViewControllerBasedOnWidth(detail, c.width);
            EXPECT_EQ(
                split.overrideTraitCollectionForChildViewController(detail)->horizontalSizeClass,
                c.sizeClass);
            EXPECT_EQ(
                split.overrideTraitCollectionForChildViewController(detail)->verticalSizeClass, 1);
        }
    }
    Device::current().setIdiom(Device::Idiom::Phone);
    SplitViewController phone;
    QPointer<ViewController> detail = new ViewController();
    auto* master = new ViewController();
    phone.setViewControllers({master, detail});
    phone.view()->resize(375, 667);
    phone.layoutIfNeeded();
    EXPECT_EQ(phone.childViewControllers(), QList<ViewController*>({master}));
    EXPECT_FALSE(phone.overrideTraitCollectionForChildViewController(master).has_value());
}
