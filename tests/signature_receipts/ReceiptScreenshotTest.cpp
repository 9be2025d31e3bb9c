#include "SignatureReceiptFixture.h"
#include "payment/signature_receipts/SendReceiptDataController.h"
#include "payment/signature_receipts/SendReceiptListController.h"
#include "payment/signature_receipts/SignController.h"
#include "payment/signature_receipts/SignatureView.h"
#include "payment/signature_receipts/SignatureViewController.h"
#include "platform/ui/NavigationController.h"

namespace {

QString receiptShot(const QString& name) {
    QDir dir(QCoreApplication::applicationDirPath());
    dir.cdUp();
    dir.mkpath(QStringLiteral("screenshots/signature_receipts"));
    return dir.filePath(QStringLiteral("screenshots/signature_receipts/") + name);
}

void saveShot(QWidget* widget, const QString& name) {
    const QString file = receiptShot(name);
    ASSERT_TRUE(widget->grab().save(file)) << file.toStdString();
    EXPECT_GT(QImage(file).width(), 200) << file.toStdString();
}

class ReceiptScreenshotTest : public SignatureReceiptTest {};

TEST_F(ReceiptScreenshotTest, SignatureScreenSignedOnPhoneAndPad) {
    struct Case {
        const char* file;
        QSize size;
        Device::Idiom idiom;
    };
    for (const Case& c : {Case{"signature_phone.png", {568, 320}, Device::Idiom::Phone},
                          Case{"signature_pad.png", {1024, 768}, Device::Idiom::Pad}}) {
        Device::current().setIdiom(c.idiom);
        window.widget()->resize(c.size);
        auto sale = cardSale(300, "DIAZ/ANA MARIA");
        sale->setPaymentMethodName("Mastercard");
        SignatureQueue queue;
        auto* screen = SignatureViewController::instanceWithSale(sale, nullptr);
        screen->setSignatureQueue(&queue);
        host->presentViewController(screen, false);
        clock->advance(0);
        screen->view()->resize(c.size);
        screen->layoutIfNeeded();
        SignatureView* pad = screen->signatureContainerView();
        const double w = pad->width(), h = pad->height();
        QList<QPointF> stroke;
        for (int i = 0; i <= 40; ++i) {
            const double t = i / 40.0;
            stroke << QPointF(w * (0.1 + 0.7 * t), h * (0.55 - 0.25 * std::sin(t * 9.0)));
        }
        drawStroke(pad, stroke, 1000, 12);
        saveShot(screen->view(), QString::fromLatin1(c.file));
        screen->dismissViewControllerAnimated(false);
        Device::current().setIdiom(Device::Idiom::Phone);
    }
}

TEST_F(ReceiptScreenshotTest, BuyerFormCompactAndExpandedAndTheList) {
    window.widget()->resize(320, 568);
    auto sale = cardSale(120, "GOMEZ/ANA   MARIA");
    auto* form = qobject_cast<SendReceiptDataController*>(
        Storyboard::instantiate(SignatureReceiptScreens::receiptData));
    form->setSale(sale);
    auto* navigation = new NavigationController(form);
    host->presentViewController(navigation, false);
    clock->advance(0);
    ASSERT_TRUE(settle([] { return !Buyers::instance().countriesList().isEmpty(); }));
    form->field("emailAddress")->setText("ana@mail.com");
    drain(3);
    saveShot(navigation->view(), "buyer_form_compact.png");
    form->showMoreInfo();
    clock->advance(SendReceiptDataController::kRevealMs + 10);
    drain(3);
    saveShot(navigation->view(), "buyer_form_expanded.png");
    host->dismissViewControllerAnimated(false);
    drain(3);

    auto* list = qobject_cast<SendReceiptListController*>(
        Storyboard::instantiate(SignatureReceiptScreens::receiptList));
    auto* listNavigation = new NavigationController(list);
    host->presentViewController(listNavigation, false);
    clock->advance(0);
    ASSERT_TRUE(settle([&] { return list->buyersList().has_value(); }));
    drain(3);
    saveShot(listNavigation->view(), "buyer_list.png");
}

TEST_F(ReceiptScreenshotTest, BuyerFormTour) {
    window.widget()->resize(320, 568);
    AccountSettings::instance().setTutorialAmount(false);
    auto* form = qobject_cast<SendReceiptDataController*>(
        Storyboard::instantiate(SignatureReceiptScreens::receiptData));
    form->setSale(cardSale(120, "GOMEZ/ANA MARIA"));
    auto* navigation = new NavigationController(form);
    host->presentViewController(navigation, false);
    clock->advance(0);
    ASSERT_TRUE(settle([] { return !Buyers::instance().countriesList().isEmpty(); }));
    clock->advance(1000);
    drain(3);
    saveShot(navigation->view(), "buyer_form_tour.png");
}

TEST_F(ReceiptScreenshotTest, TipAndSignatureScreenWithTipAndTour) {
    AccountSettings::instance().setTipsEnabled(true);
    for (bool tour : {false, true}) {
        AccountSettings::instance().setTutorialAmount(!tour);
        auto sale = cardSale(300, "DIAZ/ANA MARIA");
        sale->setPaymentMethodName("Visa");
        sale->creditCard()->setInstallments(3);
        sale->setTipsList(std::make_shared<std::vector<double>>(std::vector{0.1, 0.15, 0.2}));
        SignatureQueue queue;
        auto* screen =
            qobject_cast<SignController*>(Storyboard::instantiate(SignatureReceiptScreens::sign));
        screen->setSale(sale);
        screen->setSignatureQueue(&queue);
        host->presentViewController(screen, false);
        clock->advance(0);
        screen->view()->resize(568, 320);
        screen->layoutIfNeeded();
        clock->advance(1000);
        if (!tour) {
            screen->tipOption(2)->click();
            clock->advance(1000);
            SignatureView* pad = screen->signatureView();
            const double w = pad->width(), h = pad->height();
            QList<QPointF> stroke;
            for (int i = 0; i <= 40; ++i) {
                const double t = i / 40.0;
                stroke << QPointF(w * (0.1 + 0.7 * t), h * (0.5 - 0.25 * std::sin(t * 9.0)));
            }
            drawStroke(pad, stroke, 1000, 12);
        }
        saveShot(screen->view(), tour ? "sign_tour.png" : "sign_tip.png");
        screen->dismissViewControllerAnimated(false);
        drain(3);
    }
    AccountSettings::instance().setTipsEnabled(false);
}

} // namespace
