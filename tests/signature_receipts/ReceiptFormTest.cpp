#include "SignatureReceiptFixture.h"
#include "payment/signature_receipts/SendReceiptDataController.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Services.h"
#include "ui_kit/PhoneTextField.h"

namespace {

struct ResultStandIn : ViewController, SaleReceiver {
    std::shared_ptr<Sale> received;
    void setSale(std::shared_ptr<Sale> sale) override { received = std::move(sale); }
};

// A picture source with a camera that hands back a fixed photo.
struct PhotoSource : ImageSource {
    QImage photo;
    int picks = 0;
    void pickImage(QWidget*, std::function<void(const QImage&)> completion) override {
        ++picks;
        completion(photo);
    }
    bool isCameraAvailable() override { return true; }
};

class ReceiptFormTest : public SignatureReceiptTest {
protected:
    void SetUp() override {
        SignatureReceiptTest::SetUp();
        Storyboard::registerViewController(QString(SignatureReceiptScreens::paymentDone.storyboard),
                                           QString(SignatureReceiptScreens::paymentDone.identifier),
                                           [this] {
                                               result = new ResultStandIn();
                                               return result.data();
                                           });
    }
    void TearDown() override {
        Storyboard::removeViewController(QString(SignatureReceiptScreens::paymentDone.storyboard),
                                         QString(SignatureReceiptScreens::paymentDone.identifier));
        Services::set<ImageSource>(nullptr);
        SignatureReceiptTest::TearDown();
    }
    SendReceiptDataController* open(std::shared_ptr<Sale> sale,
                                    std::optional<QVariantMap> record = std::nullopt) {
        auto* form = qobject_cast<SendReceiptDataController*>(
            Storyboard::instantiate(SignatureReceiptScreens::receiptData));
        form->setSale(std::move(sale));
        form->setBuyerDic(record);
        navigation = new NavigationController(form);
        host->presentViewController(navigation, false);
        clock->advance(0);
        return form;
    }
    void waitForCountries() {
        ASSERT_TRUE(settle([] { return !Buyers::instance().countriesList().isEmpty(); }));
        drain(3);
    }
    static void type(SendReceiptDataController* form, const char* field, const QString& text) {
        form->field(QLatin1String(field))->setText(text);
    }
    NavigationController* navigation = nullptr;
    QPointer<ResultStandIn> result;
};

TEST_F(ReceiptFormTest, ACardSaleIsSavedWithTheTypedData) {
    auto sale = cardSale(120, "GOMEZ/ANA   MARIA");
    sale->creditCard()->setIdNumber("11222333");
    sale->creditCard()->setIdType("DNI");
    User::instance().setCountryCode("MX");
    SendReceiptDataController* form = open(sale);
    EXPECT_EQ(form->field("firstName")->text(), "Gomez Ana Maria");
    waitForCountries();
    EXPECT_EQ(form->field("country")->text(), "México"); // the merchant's country
    form->showMoreInfo();
    type(form, "emailAddress", " ana@mail.com ");
    type(form, "personalId", "20-333.444");
    type(form, "birthdate", "29/02/1992");
    type(form, "address", "Reforma 10");
    type(form, "city", "CDMX");
    type(form, "zipCode", "06600");
    static_cast<PhoneTextField*>(form->field("phone"))->setFormattedText("5512345678");
    form->sendReceipt();
    ASSERT_TRUE(settle([&] { return result != nullptr; }));
    const QList<SandboxRequest> saves = requestsTo("/buyers/saveBuyer.json");
    ASSERT_EQ(saves.size(), 1);
    const SandboxRequest& save = saves.first();
    const QList<QPair<const char*, QString>> expected{
        {"buyerId", "0"},
        {"email", "ana@mail.com"},
        {"fullName", "Gomez Ana Maria"},
        {"address", "Reforma 10"},
        {"province", form->field("state")->text()},
        {"city", "CDMX"},
        {"zipCode", "06600"},
        {"countryId", "2"},
        {"birthdate", "1992-02-29"},
        {"phone", "5512345678"},
        {"identificationNumber", "20333444"},
        {"identificationType", "DNI"},
        {"saleId", sale->saleId()},
        {"userId", userId},
        {"token", token},
        {"deleteImage", "true"},
    };
    for (const auto& [name, value] : expected)
        EXPECT_EQ(save.field(QLatin1String(name)), value) << name;
    EXPECT_FALSE(save.file("buyerImage")); // no picture: the 17th value is none
    ASSERT_TRUE(result->received);
    EXPECT_TRUE(result->received->receiptSent());
    EXPECT_EQ(sandbox.state().sale(sale->saleId().toLongLong())->data.value("receiptEmail"),
              "ana@mail.com");
    // The rebuilt record names the buyer the back end made.
    EXPECT_NE(form->buyerDic()->value("buyerId").toString(), "0");
}

TEST_F(ReceiptFormTest, ARefusedOrLostSaveMovesOnNotSent) {
    for (const SandboxReply& reply :
         {SandboxReply::failure(500, "Error interno"), SandboxReply::dropped()}) {
        sandbox->scriptOnce("POST", SandboxServer::apiPath("/buyers/saveBuyer.json"), reply);
        auto sale = cardSale(120);
        SendReceiptDataController* form = open(sale);
        type(form, "emailAddress", "ana@mail.com");
        form->sendReceipt();
        ASSERT_TRUE(settle([&] { return result && result->received == sale; }));
        EXPECT_FALSE(sale->receiptSent());
        host->dismissViewControllerAnimated(false);
        drain(5);
    }
}

TEST_F(ReceiptFormTest, MissingOrInvalidDataSendsNothing) {
    struct Case {
        const char* name;
        const char* email;
        bool alert; // else the invalid e-mail tip
    };
    const Case cases[] = {
        {"", "", false},
        {"", "ana@mail.com", true},
        {"", "ana@", false},
        {"Ana", "ana@mail.com otra@mail.com", false},
    };
    auto sale = Sale::init();
    SendReceiptDataController* form = open(sale, QVariantMap{{"buyerId", "7"}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.email);
        type(form, "firstName", QString::fromUtf8(c.name));
        type(form, "emailAddress", QString::fromUtf8(c.email));
        form->sendReceipt();
        drain(2);
        SystemAlert* alert = alertOver(navigation);
        EXPECT_EQ(alert != nullptr, c.alert);
        EXPECT_EQ(form->isInvalidEmailTipShown(), !c.alert);
        if (alert) {
            EXPECT_EQ(alert->message(), "Debes completar el nombre, apellido y la dirección de "
                                        "e-mail del cliente para poder enviarle el recibo");
            alert->tapButtonWithTitle("OK");
            drain(40);
        }
    }
    drain();
    EXPECT_TRUE(requestsTo("/buyers/saveBuyer.json").isEmpty());
}

TEST_F(ReceiptFormTest, CountriesAreAskedOnceAndTheRecordPicksItsRow) {
    SendReceiptDataController* first = open(Sale::init());
    waitForCountries();
    EXPECT_FALSE(first->isDisplayingActivityIndicator());
    host->dismissViewControllerAnimated(false);
    drain(40);

    SendReceiptDataController* form =
        open(Sale::init(), QVariantMap{{"buyerId", "9"}, {"countryId", 3}, {"fullName", "Ana"}});
    drain(5);
    EXPECT_EQ(requestsTo("/buyers/getCountries.json").size(), 1);
    EXPECT_EQ(form->countryPicker()->numberOfRowsInComponent(0), 300);
    EXPECT_EQ(form->countryPicker()->selectedRowInComponent(0), 152);
    EXPECT_EQ(form->field("country")->text(), "Chile");

    // A country picked by hand stays after the picture is chosen.
    auto photos = std::make_shared<PhotoSource>();
    photos->photo = QImage(640, 480, QImage::Format_RGB32);
    photos->photo.fill(Qt::darkCyan);
    Services::set<ImageSource>(photos);
    form->countryPicker()->pickRow(99, 0); // Argentina
    EXPECT_EQ(form->field("country")->text(), "Argentina");
    form->addPicture();
    SystemAlert* sheet = alertOver(navigation);
    ASSERT_TRUE(sheet);
    EXPECT_TRUE(sheet->tapButtonWithTitle("Seleccionar de mis albums"));
    drain(40);
    EXPECT_EQ(form->field("country")->text(), "Argentina");
    EXPECT_EQ(form->userPicture()->image().size(), QSize(400, 400));

    type(form, "emailAddress", "ana@mail.com");
    form->sendReceipt();
    ASSERT_TRUE(settle([&] { return result != nullptr; }));
    const SandboxRequest save = requestsTo("/buyers/saveBuyer.json").first();
    ASSERT_TRUE(save.file("buyerImage"));
    EXPECT_EQ(QImage::fromData(save.file("buyerImage")->content).size(), QSize(400, 400));
    EXPECT_EQ(save.field("deleteImage"), "false");
    EXPECT_EQ(save.field("countryId"), "1");
    EXPECT_EQ(requestsTo("/buyers/getCountries.json").size(), 1);
}

TEST_F(ReceiptFormTest, AFailedCountriesRequestTakesTheOverlayAway) {
    sandbox->scriptOnce("POST", SandboxServer::apiPath("/buyers/getCountries.json"),
                        SandboxReply::failure(500, "Error"));
    SendReceiptDataController* form = open(Sale::init());
    EXPECT_TRUE(form->isDisplayingActivityIndicator());
    ASSERT_TRUE(settle([&] { return !form->isDisplayingActivityIndicator(); }));
    EXPECT_TRUE(Buyers::instance().countriesList().isEmpty());
}

// A picture source without a camera whose picker the merchant closes.
struct ClosedPicker : ImageSource {
    void pickImage(QWidget*, std::function<void(const QImage&)> completion) override {
        completion(QImage());
    }
};

TEST_F(ReceiptFormTest, TheTourWalksThePictureTheNamesAndTheMoreData) {
    AccountSettings::instance().setTutorialAmount(false);
    AccountSettings::instance().setTutorialCatalog(false);
    Services::set<ImageSource>(std::make_shared<ClosedPicker>());
    SendReceiptDataController* form = open(cardSale(120));
    waitForCountries();
    ASSERT_EQ(form->tutorialStep(), 1);
    ASSERT_TRUE(form->tutorialNavBar());
    // Only the picture is usable in the first step.
    EXPECT_FALSE(form->field("emailAddress")->isEnabled());
    EXPECT_TRUE(form->view()->findChild<QPushButton*>("userPictureButton")->isEnabled());

    form->view()->findChild<QPushButton*>("userPictureButton")->click(); // picker closed
    ASSERT_EQ(form->tutorialStep(), 2);
    EXPECT_EQ(form->tutorialHint()->label()->text(),
              "Completando el nombre y el email de tu cliente podrás enviarle el recibo "
              "electrónico, y guardar sus datos para futuras compras");
    EXPECT_FALSE(form->view()->findChild<QPushButton*>("userPictureButton")->isEnabled());
    // The return key on the name moves the tour on instead of sending.
    form->textFieldShouldReturn(form->field("firstName"));
    ASSERT_EQ(form->tutorialStep(), 3);
    EXPECT_TRUE(requestsTo("/buyers/saveBuyer.json").isEmpty());

    // The reveal scrolls to the end by itself, which moves the tour on.
    form->showMoreInfo();
    clock->advance(SendReceiptDataController::kRevealMs + 10);
    EXPECT_EQ(form->tutorialStep(), 3);
    clock->advance(SendReceiptDataController::kScrollAfterRevealMs + 10);
    EXPECT_EQ(form->tutorialStep(), 4);

    type(form, "emailAddress", "ana@mail.com");
    form->sendReceipt();
    EXPECT_EQ(form->tutorialStep(), 0);
    ASSERT_TRUE(settle([&] { return result != nullptr; }));
    EXPECT_FALSE(AccountSettings::instance().tutorialCatalog()); // sending records nothing
}

TEST_F(ReceiptFormTest, SendingInTheFirstStepEndsTheTourAtOnce) {
    AccountSettings::instance().setTutorialAmount(false);
    SendReceiptDataController* form = open(cardSale(120));
    waitForCountries();
    ASSERT_EQ(form->tutorialStep(), 1);
    QPointer<TutorialHint> hint = form->tutorialHint();
    type(form, "emailAddress", "ana@mail.com");
    form->sendReceipt();
    EXPECT_EQ(form->tutorialStep(), 0);
    EXPECT_TRUE(!hint || !hint->isVisible());
    EXPECT_TRUE(settle([&] { return !navigation->view()->findChild<TutorialNavBar*>(); }));
}

} // namespace
