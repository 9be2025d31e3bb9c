#include "SettingsFixture.h"
#include "model/values/QRSettings.h"
#include "platform/ui/LayoutConstraint.h"
#include "platform/ui/View.h"
#include "settings/SettingsScreens.h"

using namespace settingstest;

namespace {

// The settings screen shown directly in a navigation stack, with the user and settings a case
// sets by hand.
class ConfigurationRows : public SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        blank();
    }
    // No optional row offered.
    static void blank() {
        User::instance().reset();
        AccountSettings::instance().reset();
        AccountSettings& account = AccountSettings::instance();
        account.setFeedbackSwitchEnabled(false);
        account.setBankInfo({});
        account.setAccountType(nullptr);
        account.setSettingsQR(nullptr);
        account.setIsSubUser(false);
        account.setMidSouth(QString());
        account.setHasVirtualAccount(false);
    }
    ConfigurationController* show(bool allowPicture = true, QSize size = QSize(375, 667)) {
        screenWindow = std::make_unique<Window>();
        auto* shown = qobject_cast<ConfigurationController*>(
            Storyboard::instantiate(SettingsScreens::configurationMain));
        shown->setProperty("allowPictureChange", allowPicture);
        nav = new NavigationController(shown);
        screenWindow->setRootViewController(nav);
        screenWindow->widget()->resize(size);
        screenWindow->makeKeyAndVisible();
        clock->advance(600);
        QCoreApplication::processEvents();
        return shown;
    }
    // Leaves the screen for a plain one and comes back, so it appears again.
    void reappear() {
        nav->pushViewController(new ViewController(), false);
        clock->advance(600);
        nav->popViewControllerAnimated(false);
        clock->advance(600);
        QCoreApplication::processEvents();
    }
    void TearDown() override {
        screenWindow.reset();
        SettingsTest::TearDown();
    }
    std::unique_ptr<Window> screenWindow;
    QPointer<NavigationController> nav;
};

QStringList always() {
    return {"changePassword", "logout"};
}

} // namespace

TEST_F(SettingsTest, OpensThroughTheFacadeAfterTheTokenCheck) {
    ConfigurationController* settings = openSettings();
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(sent("/users/isValidToken.json").size(), 1);
    EXPECT_EQ(label("userName"), "Aurora Centro");
    EXPECT_EQ(label("userEmail"), "ana@cafe-aurora.example\nMID MID-0501-AURORA");
    EXPECT_EQ(label("branchUsed"), "Aurora Centro");
    EXPECT_EQ(settings->title(), "Cuenta Tarvello");
    EXPECT_EQ(settings->visibleRows(),
              QStringList({"branch", "feedback", "accountType", "changePassword", "logout"}));
    EXPECT_EQ(label("accountTypeCurrent"), "Profesional");
    EXPECT_EQ(label("changePasswordLabel"), "Cambiar contraseña");
    EXPECT_EQ(label("branchLabel"), "Sucursal");
    EXPECT_TRUE(settings->outlet<QAbstractButton>("feedbackSwitch")->isChecked());
    EXPECT_TRUE(label("versionNumber").startsWith("Tarvello SDK V"));
}

TEST_F(ConfigurationRows, RowsFollowTheAccount) {
    struct Case {
        const char* name;
        std::function<void()> setUp;
        QStringList rows;
    };
    const Case cases[] = {
        {"no branch", [] {}, always()},
        {"one branch",
         [] {
             User::instance().setBranches({QVariantMap{{"id", 1}}});
         },
         always()},
        {"two branches",
         [] {
             User::instance().setBranches({QVariantMap{{"id", 1}}, QVariantMap{{"id", 2}}});
             User::instance().setBranchName("Centro");
         },
         QStringList{"branch"} + always()},
        {"feedback offered", [] { AccountSettings::instance().setFeedbackSwitchEnabled(true); },
         QStringList{"feedback"} + always()},
        {"feedback offered to a sub-user",
         [] {
             AccountSettings::instance().setFeedbackSwitchEnabled(true);
             AccountSettings::instance().setIsSubUser(true);
         },
         always()},
        {"bank data",
         [] {
             AccountSettings::instance().setBankInfo({{"cbu", "0170"}});
         },
         QStringList{"bank"} + always()},
        {"account type",
         [] {
             AccountSettings::instance().setAccountType(
                 UserAccountType::withDictionary({{"accountType", "OCCASIONAL"}}));
         },
         QStringList{"accountType"} + always()},
        {"QR settings",
         [] {
             AccountSettings::instance().setSettingsQR(
                 QRSettings::withDictionary({{"type", "STATIC"}}));
         },
         QStringList{"myQr"} + always()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        blank();
        c.setUp();
        ConfigurationController* settings = show();
        EXPECT_EQ(settings->visibleRows(), c.rows);
        EXPECT_EQ(settings->navigationItem()->rightBarButtonItems().size(), 1);
    }
}

TEST_F(ConfigurationRows, RowsChangingBetweenAppearances) {
    ConfigurationController* settings = show();
    EXPECT_FALSE(settings->visibleRows().contains("bank"));
    AccountSettings::instance().setBankInfo({{"cbu", "0170"}});
    AccountSettings::instance().setAccountType(
        UserAccountType::withDictionary({{"accountType", "PROFESSIONAL"}}));
    reappear();
    // The bank row comes back, between the PIN and bill places; the account type stays away.
    EXPECT_EQ(settings->visibleRows(), QStringList({"bank", "changePassword", "logout"}));
    EXPECT_EQ(settings->constraint("changePasswordViewConstraint")->constant(),
              settings->rowView("bank")->property("rowHeight").toDouble());

    // Present at load, gone later: the row stays with no description and an empty value.
    ConfigurationController* second = show();
    ASSERT_TRUE(second->visibleRows().contains("accountType"));
    EXPECT_EQ(second->outlet<QLabel>("accountTypeCurrent")->text(), "Profesional");
    AccountSettings::instance().setAccountType(nullptr);
    reappear();
    EXPECT_TRUE(second->visibleRows().contains("accountType"));
    EXPECT_EQ(second->outlet<QLabel>("accountTypeCurrent")->text(), "");
    settle();
    EXPECT_EQ(second->outlet<QLabel>("accountTypeDescription"), nullptr);
}

TEST_F(ConfigurationRows, HeaderVariants) {
    User::instance().setEmailAddress("ana@cafe-aurora.example");
    ConfigurationController* settings = show(false);
    settle();
    EXPECT_EQ(settings->outlet<QWidget>("userPictureContainerView"), nullptr);
    EXPECT_EQ(settings->outlet<QWidget>("pictureDescription"), nullptr);
    EXPECT_EQ(settings->constraint("userNameLeadingConstraint")->constant(), 19.0);
    EXPECT_EQ(settings->constraint("userEmailLeadingConstraint")->constant(), 19.0);
    EXPECT_EQ(settings->constraint("userEmailBottomConstraint")->constant(), 36.0);
    EXPECT_TRUE(settings->outlet<QLabel>("userName")->alignment() & Qt::AlignLeft);
    EXPECT_EQ(settings->outlet<QLabel>("userEmail")->text(), "ana@cafe-aurora.example");

    AccountSettings::instance().setHasVirtualAccount(true);
    AccountSettings::instance().setMidSouth("M-77");
    ConfigurationController* withPicture = show(true);
    EXPECT_NE(withPicture->outlet<QWidget>("userPicture"), nullptr);
    EXPECT_TRUE(withPicture->navigationItem()->rightBarButtonItems().isEmpty());
    EXPECT_EQ(withPicture->outlet<QLabel>("userEmail")->text(),
              "ana@cafe-aurora.example\nMID M-77");
}

TEST_F(ConfigurationRows, PackingOfTheShownRows) {
    struct Case {
        int rootHeight;
        double rowHeight;
        double logoutOffset;
        double footerTop;
        double contentHeight;
    };
    const Case cases[] = {
        {667, 60, 60, 129, 603},
        {480, 60, 60, 129, 550},
        {480, 60.25, 60.25, 129.5, 550},
        {2000, 60.3, 60.3, 129.6, 1936},
    };
    ConfigurationController* settings = show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rootHeight);
        settings->rowView("changePassword")->setProperty("rowHeight", c.rowHeight);
        settings->rowView("logout")->setProperty("rowHeight", c.rowHeight);
        settings->view()->resize(375, c.rootHeight);
        settings->packRows();
        EXPECT_EQ(settings->constraint("changePasswordViewConstraint")->constant(), 0);
        EXPECT_NEAR(settings->constraint("logoutViewConstraint")->constant(), c.logoutOffset, 1e-4);
        EXPECT_NEAR(settings->constraint("versionNumberTopConstraint")->constant(), c.footerTop,
                    1e-4);
        EXPECT_EQ(settings->constraint("viewHeightConstraint")->constant(), c.contentHeight);
    }
    // With more rows than fit, the content is taller than the screen: offset + 430.
    settings->rowView("changePassword")->setProperty("rowHeight", 300.7);
    settings->view()->resize(375, 667);
    settings->packRows();
    EXPECT_EQ(settings->constraint("viewHeightConstraint")->constant(), int(300.7 + 60.3 + 430));
}

TEST_F(ConfigurationRows, ValueLabelsFromTheSettings) {
    AccountSettings& account = AccountSettings::instance();
    account.setTipsEnabled(true);
    account.setAppLanguage("es");
    account.setCurrencies(
        {QVariantMap{{"code", "032"}, {"symbol", "$"}, {"exchangeRate", "1234.5"}}});
    ConfigurationController* settings = show();
    EXPECT_EQ(settings->outlet<QLabel>("tipsEnabled")->text(), "SI");
    EXPECT_EQ(settings->outlet<QLabel>("discountsEnabled")->text(), "NO");
    EXPECT_EQ(settings->outlet<QLabel>("languageUsed")->text(), "Español");
    EXPECT_EQ(settings->outlet<QLabel>("exchangeUsed")->text(), "$ 1,234.50");
    EXPECT_TRUE(settings->outlet<QAbstractButton>("tipsSwitch")->isChecked());
    auto* clientsMore = settings->outlet<QAbstractButton>("clientsButton");
    EXPECT_EQ(clientsMore->text(), "Más información");
    EXPECT_EQ(clientsMore->geometry(), QRect(130, 68, 125, 30));
    EXPECT_TRUE(settings->outlet<QWidget>("tipsMoreInfoButton")->isHidden());

    // In English every text and rectangle comes from the English table.
    account.setAppLanguage("en");
    reappear();
    EXPECT_EQ(settings->outlet<QLabel>("languageUsed")->text(), "English");
    EXPECT_EQ(clientsMore->geometry(), QRect(126, 68, 90, 30));
    EXPECT_EQ(settings->outlet<QAbstractButton>("catalogButton")->geometry(),
              QRect(177, 68, 90, 30));
    account.setAppLanguage("es");
}
