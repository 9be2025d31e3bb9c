#include "platform/ui/Clock.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Services.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"
#include "reader/ReaderController.h"
#include "reader/ReaderScreens.h"
#include "reader/views/A19.h"
#include "reader/views/DSpreadPinpad.h"
#include "reader/views/DSpreadPinpadContactless.h"
#include "reader/views/Datecs_DRD50.h"
#include "ui_kit/AlertController.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace reader_screenshots {

QString readerShot(const QString& name) {
    QDir dir(QCoreApplication::applicationDirPath());
    dir.cdUp();
    dir.mkpath(QStringLiteral("screenshots/reader"));
    return dir.filePath(QStringLiteral("screenshots/reader/") + name);
}

void save(QWidget* widget, const QString& name) {
    const QString file = readerShot(name);
    ASSERT_TRUE(widget->grab().save(file)) << file.toStdString();
    const QImage image(file);
    EXPECT_GT(image.width(), 200) << file.toStdString();
}

// Each state of the pinpad illustration at a telling moment.
TEST(ReaderScreenshots, IllustrationStates) {
    struct Case {
        const char* file;
        std::function<void(DSpreadPinpad*, ManualClock&)> drive;
    } cases[] = {
        {"illustration_searching.png",
         [](DSpreadPinpad* v, ManualClock& c) {
             v->startSearching();
             c.advance(400);
         }},
        {"illustration_bluetooth_off.png",
         [](DSpreadPinpad* v, ManualClock& c) {
             v->startSearching();
             v->bluetoothOff();
             c.advance(400);
         }},
        {"illustration_not_connected.png",
         [](DSpreadPinpad* v, ManualClock& c) {
             v->startSearching();
             v->deviceDisconnected();
             v->startAnimations();
             c.advance(400);
         }},
        {"illustration_waiting_chip.png",
         [](DSpreadPinpad* v, ManualClock& c) {
             v->startSearching();
             v->deviceConnected();
             v->startAnimations();
             c.advance(2200);
         }},
        {"illustration_waiting_swipe.png",
         [](DSpreadPinpad* v, ManualClock& c) {
             v->startSearching();
             v->deviceConnected();
             v->startAnimations();
             c.advance(5000);
         }},
        {"illustration_chip_presented.png",
         [](DSpreadPinpad* v, ManualClock& c) {
             v->startSearching();
             v->deviceConnected();
             v->startAnimations();
             v->cardPresented(true);
             c.advance(3000);
         }},
        {"illustration_restarting.png",
         [](DSpreadPinpad* v, ManualClock& c) {
             v->startSearching();
             v->deviceConnected();
             v->startAnimations();
             v->cardPresented(true);
             c.advance(3000);
             v->restartAnimations();
             c.advance(250);
         }},
        {"illustration_stopped.png",
         [](DSpreadPinpad* v, ManualClock& c) {
             v->startSearching();
             v->deviceConnected();
             v->startAnimations();
             c.advance(2000);
             v->stopAnimations();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ScopedManualClock clock;
        QWidget host;
        host.resize(320, 568);
        View::setBackgroundColor(&host, Qt::white);
        auto* view = new DSpreadPinpad(&host);
        view->setGeometry(host.rect());
        host.show();
        c.drive(view, clock.clock());
        save(&host, c.file);
    }
    {
        ScopedManualClock clock;
        QWidget host;
        host.resize(320, 568);
        auto* view = new A19(&host);
        view->setGeometry(host.rect());
        host.show();
        view->startSearching();
        view->deviceConnected();
        view->startAnimations();
        clock->advance(2000);
        save(&host, "illustration_a19.png");
    }
}

TEST(ReaderScreenshots, HelpAlertPromptAndDRD50) {
    ScopedManualClock clock;
    Window window;
    auto* screen = new ViewController();
    window.setRootViewController(screen);
    window.widget()->resize(375, 667);
    window.makeKeyAndVisible();
    auto* illustration = new DSpreadPinpad(screen->view());
    illustration->setGeometry(0, 0, 375, 667);
    illustration->show();
    illustration->startSearching();
    clock->advance(400);

    AlertController* alert = illustration->connectionErrorAlertControllerWithActionHandler({});
    screen->presentViewController(alert, false);
    alert->view()->resize(375, 667);
    alert->layoutIfNeeded();
    save(alert->view(), "help_alert.png");
    alert->dismissViewControllerAnimated(false);
    clock->advance(1000);

    auto* prompt = qobject_cast<DSpreadPinpadContactless*>(
        Storyboard::instantiate(ReaderScreens::contactlessPrompt));
    ASSERT_TRUE(prompt);
    prompt->setModalPresentationStyle(ViewController::ModalPresentationStyle::OverCurrentContext);
    screen->presentViewController(prompt, false);
    clock->advance(900);
    // The prompt over the card-reading screen it was presented on.
    QPixmap composed = window.widget()->grab();
    prompt->view()->resize(window.widget()->size());
    {
        QPainter painter(&composed);
        painter.drawPixmap(0, 0, prompt->view()->grab());
    }
    const QString promptFile = readerShot("contactless_prompt.png");
    ASSERT_TRUE(composed.save(promptFile));
    prompt->dismissViewControllerAnimated(false);
    clock->advance(1000);

    QWidget host;
    host.resize(320, 568);
    View::setBackgroundColor(&host, Qt::white);
    auto* drd50 = new Datecs_DRD50(&host);
    drd50->setGeometry(host.rect());
    drd50->deviceConnected();
    host.show();
    clock->advance(0);
    clock->advance(1500 + 1000);
    save(&host, "drd50_card_inserting.png");
    QWidget* panel =
        drd50->connectionError("<b>No se pudo conectar el lector</b>", "Conectá el lector de nuevo",
                               "Probá cargarlo con el cable USB",
                               "Si sigue sin conectar, llamanos al <b>0800-555-0100</b>");
    panel->setGeometry(drd50->rect());
    panel->show();
    panel->raise();
    save(&host, "drd50_connection_error.png");
}

TEST(ReaderScreenshots, ReaderModelScreenOnPhoneAndPad) {
    for (bool pad : {false, true}) {
        ScopedManualClock clock;
        Device::current().setIdiom(pad ? Device::Idiom::Pad : Device::Idiom::Phone);
        Window window;
        auto* screen = new ReaderController();
        window.setRootViewController(new NavigationController(screen));
        window.widget()->resize(pad ? QSize(768, 1024) : QSize(375, 667));
        window.makeKeyAndVisible();
        clock->advance(0);
        screen->readersCollectionView()->tapItemAtIndexPath({0, 1});
        save(window.widget(), pad ? "reader_model_pad.png" : "reader_model_phone.png");
    }
    Device::current().setIdiom(Device::Idiom::Phone);
}

} // namespace reader_screenshots
