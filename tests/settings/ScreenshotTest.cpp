#include "SettingsFixture.h"
#include "model/values/CBUStatus.h"
#include "model/values/QRSettings.h"
#include "settings/SettingsScreens.h"
#include "settings/bank_account/CBUStatusController.h"
#include "settings/bank_account/TVLinkCBUViewController.h"
#include "settings/configuration/PhotoCropController.h"

#include <QPainter>

using namespace settingstest;

namespace {

class SettingsScreenshots : public SettingsTest {
protected:
    // The widget with the presentations shown over it, each where it stands on the screen.
    void save(QWidget* widget, const QString& name, Window* over = nullptr) {
        settle();
        QPixmap shot = widget->grab();
        QPainter painter(&shot);
        const QPoint origin = widget->mapToGlobal(QPoint(0, 0));
        if (over)
            for (ViewController* presented : over->presentedViewControllers())
                if (QWidget* container = over->presentationContainer(presented);
                    container && container->isVisible())
                    painter.drawPixmap(container->mapToGlobal(QPoint(0, 0)) - origin,
                                       container->grab());
        painter.end();
        const QString file = screenshotPath(name);
        ASSERT_TRUE(shot.save(file)) << file.toStdString();
        EXPECT_FALSE(QImage(file).isNull());
    }
    // The screen alone in a navigation stack of its own window, with the account as set.
    ConfigurationController* showScreen(const QSize& size) {
        shotWindow = std::make_unique<Window>();
        auto* shown = qobject_cast<ConfigurationController*>(
            Storyboard::instantiate(SettingsScreens::configurationMain));
        shotWindow->setRootViewController(new NavigationController(shown));
        shotWindow->widget()->resize(size);
        shotWindow->makeKeyAndVisible();
        settle();
        return shown;
    }
    void TearDown() override {
        shotWindow.reset();
        SettingsTest::TearDown();
    }
    std::unique_ptr<Window> shotWindow;
};

void fullAccount() {
    User& user = User::instance();
    user.setBranches({QVariantMap{{"id", 1}}, QVariantMap{{"id", 2}}});
    user.setBranchName("Aurora Centro");
    user.setEmailAddress("ana@cafe-aurora.example");
    AccountSettings& account = AccountSettings::instance();
    account.setMidSouth("MID-0501-AURORA");
    account.setFeedbackSwitchEnabled(true);
    account.setFeedbackEnabled(true);
    account.setBankInfo({{"cbu", "0170"}});
    account.setAccountType(UserAccountType::withDictionary({{"accountType", "PROFESSIONAL"}}));
    account.setSettingsQR(QRSettings::withDictionary({{"type", "STATIC"}}));
    account.setCanUploadPicture(true);
}

} // namespace

TEST_F(SettingsScreenshots, SettingsScreen) {
    fullAccount();
    ConfigurationController* most = showScreen(QSize(375, 760));
    ASSERT_EQ(most->visibleRows(), QStringList({"branch", "feedback", "bank", "accountType", "myQr",
                                                "changePassword", "logout"}));
    save(shotWindow->widget(), "settings_most_rows.png");

    User::instance().reset();
    AccountSettings::instance().reset();
    User::instance().setEmailAddress("caja@kiosco.example");
    User::instance().setBranchName("Kiosco Sur");
    AccountSettings::instance().setFeedbackSwitchEnabled(false);
    AccountSettings::instance().setAccountType(nullptr);
    AccountSettings::instance().setSettingsQR(nullptr);
    AccountSettings::instance().setBankInfo({});
    AccountSettings::instance().setMidSouth(QString());
    ConfigurationController* fewest = showScreen(QSize(375, 667));
    ASSERT_EQ(fewest->visibleRows(), QStringList({"changePassword", "logout"}));
    save(shotWindow->widget(), "settings_fewest_rows.png");
}

TEST_F(SettingsScreenshots, PictureSheetCropAndHelpCard) {
    ConfigurationController* settings = openSettings();
    ASSERT_NE(settings, nullptr);
    User::instance().setImage(QImage(8, 8, QImage::Format_RGB32));
    settings->changePicture(nullptr);
    save(&host, "settings_picture_sheet.png", window);
    alert()->tapButtonWithTitle("Cancelar");
    settle();

    QImage photo(640, 360, QImage::Format_RGB32);
    photo.fill(QColor(70, 130, 180));
    for (int x = 200; x < 440; ++x)
        for (int y = 60; y < 300; ++y)
            photo.setPixel(x, y, qRgb(240, 200, 80));
    auto* crop = new PhotoCropController(photo, [](const QImage&) {});
    settings->presentViewController(crop, false);
    save(&host, "settings_crop_editor.png", window);
    crop->dismissViewControllerAnimated(false);
    settle();

    settings->moreInfo(settings->outlet<QAbstractButton>("clientsButton"));
    clock->advance(800);
    save(&host, "settings_help_card.png", window);
    settings->nextPageHelp();
    clock->advance(500);
    save(&host, "settings_help_card_page2.png", window);
    settings->closeMoreInfo(nullptr);
    clock->advance(200);
}

TEST_F(SettingsScreenshots, BankLinkScreens) {
    SandboxUser* merchant = sandbox.state().userForToken(sandbox.merchantToken());
    User::instance().setIsLoggedIn(true);
    User::instance().setUserId(QString::number(merchant->userId));
    User::instance().setToken(sandbox.merchantToken());
    auto* asking = new ViewController();
    window->rootViewController()->presentViewController(new NavigationController(asking), false);
    settle();
    QPointer<CBUStatusController> checker = CBUStatusController::fromController(asking);
    auto status = std::make_shared<CBUStatus>();
    status->setCbuNeeded(true);
    AccountSettings::instance().setCbuStatus(status);
    checker->tryToPay([](bool) {});
    settle();
    auto* link = qobject_cast<TVLinkCBUViewController*>(window->presentedViewControllers().last());
    ASSERT_NE(link, nullptr);
    save(&host, "bank_link_empty.png", window);
    link->textField()->insertText("2850590940090418135201");
    save(&host, "bank_link_valid.png", window);
    sandbox->scriptOnce("PUT", SandboxServer::apiPath("/account/bank-account"),
                        SandboxReply::failure(400, "CBU inexistente", "UNKNOWN_CBU"));
    link->progressButton()->click();
    clock->advance(300);
    save(&host, "bank_link_sending.png", window);
    ASSERT_TRUE(waitFor([this] { return window->presentedViewControllers().size() > 2; }));
    save(&host, "bank_link_failed.png", window);
    window->presentedViewControllers().last()->dismissViewControllerAnimated(false);
    link->outlet<QAbstractButton>("closeButton")->click();
    settle();

    status->setCbuNeeded(false);
    status->setBlocked(true);
    checker->tryToPay([](bool) {});
    save(&host, "bank_link_blocked_alert.png", window);
}
