#include "FacadeSupport.h"

#include "SDK/operations/SDKPaymentInfoAPI.h"
#include "SDK/session/CacheHelper.h"
#include "platform/core/UserDefaults.h"

#include <QWidget>
#include <cmath>
#include <limits>

namespace {

const std::string keyMessage = "Call -[TarvelloSDK startWithAPIKey:] first to initialize";
const std::string tokenMessage = "Call -[TarvelloSDK setUserToken:] first to initialize";

TarvelloSDK& sdk() {
    return TarvelloSDK::sharedSDK();
}

struct Operation {
    const char* name;
    std::function<void()> call;
};

// Every operation that checks the start order, each called with harmless arguments.
std::vector<Operation> checkedOperations() {
    auto none = [](const QVariantMap&, bool) {};
    auto bins = QStringList{"123456"};
    return {
        {"apiKey", [] { sdk().apiKey(); }},
        {"userToken", [] { sdk().userToken(); }},
        {"setRetryOnDenied", [] { sdk().setRetryOnDenied(true); }},
        {"logout", [] { sdk().logout(); }},
        {"chargeAmount", [=] { sdk().chargeAmount(10, nullptr, none); }},
        {"chargeAmountCurrency", [=] { sdk().chargeAmountCurrency(10, "032", nullptr, none); }},
        {"chargeAmountDescription", [=] { sdk().chargeAmountDescription(10, "d", nullptr, none); }},
        {"chargeAmountDescriptionCurrency",
         [=] { sdk().chargeAmountDescriptionCurrency(10, "d", "032", nullptr, none); }},
        {"chargeAmountDescriptionTipAmountCurrency",
         [=] { sdk().chargeAmountDescriptionTipAmountCurrency(10, "d", 1, "032", nullptr, none); }},
        {"chargeAmountReferenceDescription",
         [=] { sdk().chargeAmountReferenceDescription(10, "r", "d", nullptr, none); }},
        {"chargeAmountExternalReferenceDescription",
         [=] { sdk().chargeAmountExternalReferenceDescription(10, "r", "d", nullptr, none); }},
        {"chargeAmountReferenceDescriptionCurrency",
         [=] {
             sdk().chargeAmountReferenceDescriptionCurrency(10, "r", "d", "032", nullptr, none);
         }},
        {"chargeAmountReferenceDescriptionTipAmount",
         [=] { sdk().chargeAmountReferenceDescriptionTipAmount(10, "r", "d", 1, nullptr, none); }},
        {"chargeAmountExternalReferenceDescriptionTipAmountCurrency",
         [=] {
             sdk().chargeAmountExternalReferenceDescriptionTipAmountCurrency(10, "r", "d", 1, "032",
                                                                             nullptr, none);
         }},
        {"charge", [=] { sdk().charge(TQSale(), nullptr, none); }},
        {"chargeReference", [=] { sdk().chargeReference(TQSale(), "r", nullptr, none); }},
        {"chargeAmountDescriptionInstallmentsTipAmount",
         [=] { sdk().chargeAmountDescriptionInstallmentsTipAmount(10, "d", 3, 1, nullptr, none); }},
        {"chargeAmountExternalReferenceDescriptionInstallmentsTipAmount",
         [=] {
             sdk().chargeAmountExternalReferenceDescriptionInstallmentsTipAmount(10, "r", "d", 3, 1,
                                                                                 nullptr, none);
         }},
        {"chargeAmountReferenceDescriptionAcceptedBinsCommerceNumberInstallments",
         [=] {
             sdk().chargeAmountReferenceDescriptionAcceptedBinsCommerceNumberInstallments(
                 10, "r", "d", bins, "m", 3, nullptr, none);
         }},
        {"chargeReferenceCurrency",
         [=] { sdk().chargeReferenceCurrency(TQSale(), "r", "032", nullptr, none); }},
        {"chargeAmountExternalReferenceDescriptionCurrency",
         [=] {
             sdk().chargeAmountExternalReferenceDescriptionCurrency(10, "r", "d", "032", nullptr,
                                                                    none);
         }},
        {"refundOperationID", [=] { sdk().refundOperationID("1", nullptr, none); }},
        {"refundOperationIDEnablePartialAmount",
         [=] { sdk().refundOperationIDEnablePartialAmount("1", true, nullptr, none); }},
        {"presentSettingsFromViewControllerAllowReaderChange",
         [] { sdk().presentSettingsFromViewControllerAllowReaderChange(nullptr, true); }},
        {"presentSettingsFromViewControllerAllowPictureChangeAllowReaderChange",
         [] {
             sdk().presentSettingsFromViewControllerAllowPictureChangeAllowReaderChange(nullptr,
                                                                                        true, true);
         }},
        {"sendReceiptForOperationID", [=] { sdk().sendReceiptForOperationID("1", "a@b.c", none); }},
        {"getPDFReceiptForOperationID", [=] { sdk().getPDFReceiptForOperationID("1", none); }},
        {"retrievePaymentInfoForOperationID",
         [=] { sdk().retrievePaymentInfoForOperationID("1", none); }},
        {"retrievePaymentInfoForReference",
         [=] { sdk().retrievePaymentInfoForReference("r", none); }},
        {"retrievePaymentInfoForExternalReference",
         [=] { sdk().retrievePaymentInfoForExternalReference("r", none); }},
        {"retrieveAgreementNumbersWithCompletion",
         [=] { sdk().retrieveAgreementNumbersWithCompletion(none); }},
        {"changeMerchantLogo", [=] { sdk().changeMerchantLogo(QImage(), none); }},
        {"retrieveBatchInformation", [=] { sdk().retrieveBatchInformation(none); }},
        {"closeBatchWithId", [=] { sdk().closeBatchWithId("7", none); }},
        {"closeAllBatches", [=] { sdk().closeAllBatches(none); }},
    };
}

TEST_F(FacadeTest, CheckedOperationsAssertTheKeyFirstThenTheToken) {
    for (const Operation& op : checkedOperations()) {
        resetFacade();
        handOver->handOvers = 0;
        EXPECT_EQ(assertionMessage(op.call), keyMessage) << op.name;
        // A token alone does not make up for the missing key.
        sdk().setUserToken(QString("token"));
        EXPECT_EQ(assertionMessage(op.call), keyMessage) << op.name;

        resetFacade();
        sdk().startWithAPIKey(QString("key"));
        EXPECT_EQ(assertionMessage(op.call), tokenMessage) << op.name;
        EXPECT_EQ(handOver->handOvers, 0) << op.name << " went on after its assertion";

        // Only a missing value fails: empty texts pass.
        sdk().startWithAPIKey(QString(""));
        sdk().setUserToken(QString(""));
        EXPECT_EQ(assertionMessage(op.call), "") << op.name;
    }
}

TEST_F(FacadeTest, ConfigurationOperationsDoNotCheckTheStartOrder) {
    const std::vector<Operation> unchecked = {
        {"setMainColor", [] { sdk().setMainColor(QColor(Qt::red)); }},
        {"mainColor", [] { sdk().mainColor(); }},
        {"currentEmail", [] { sdk().currentEmail(); }},
        {"setEnforcedUserAccount", [] { sdk().setEnforcedUserAccount(QString("a@b.c")); }},
        {"setEnforcedDomain", [] { sdk().setEnforcedDomain(QString("b.c")); }},
        {"setUserToken", [] { sdk().setUserToken(QString("t")); }},
        {"getApiKey", [] { sdk().getApiKey(); }},
        {"startWithAPIKey", [] { sdk().startWithAPIKey(QString("k")); }},
    };
    for (const Operation& op : unchecked) {
        resetFacade();
        EXPECT_EQ(assertionMessage(op.call), "") << op.name;
    }
}

TEST_F(FacadeTest, StartResetsTheThemeColourAndRetryFlag) {
    EXPECT_FALSE(sdk().mainColor());
    EXPECT_FALSE(sdk().retryOnDenied());

    start();
    sdk().setMainColor(QColor(Qt::red));
    sdk().setRetryOnDenied(false);
    EXPECT_EQ(*sdk().mainColor(), QColor(Qt::red));
    EXPECT_FALSE(sdk().shouldRetryOnDenied());

    sdk().startWithAPIKey(QString("other"));
    const QColor colour = sdk().mainColor().value();
    EXPECT_NEAR(colour.redF(), 0.0, 1e-4);
    EXPECT_NEAR(colour.greenF(), 65.0 / 255.0, 1e-4);
    EXPECT_NEAR(colour.blueF(), 101.0 / 255.0, 1e-4);
    EXPECT_NEAR(colour.alphaF(), 1.0, 1e-4);
    EXPECT_TRUE(sdk().retryOnDenied());
    EXPECT_TRUE(sdk().shouldRetryOnDenied());
    EXPECT_EQ(sdk().getApiKey(), QString("other"));
    // The token stays as it was.
    EXPECT_EQ(sdk().getUserToken(), QString("token"));
}

TEST_F(FacadeTest, StartStoresANullKeySoTheCheckStillFails) {
    sdk().startWithAPIKey(std::nullopt);
    sdk().setUserToken(QString("token"));
    EXPECT_TRUE(sdk().mainColor());
    EXPECT_EQ(assertionMessage([] { sdk().logout(); }), keyMessage);
}

// ---------------------------------------------------------------- charge checks

TEST_F(FacadeTest, InvalidBinsFailBeforeTheStartCheckAndTheAmountCheck) {
    const std::vector<QStringList> invalid = {
        {}, {"12345"}, {"1234567"}, {"123456", "12345"}, {""}};
    for (const QStringList& bins : invalid) {
        for (double amount : {0.0, 10.0}) {
            resetFacade(); // nothing started
            Outcome outcome;
            EXPECT_EQ(
                assertionMessage([&] {
                    sdk().chargeAmountReferenceDescriptionAcceptedBinsCommerceNumberInstallments(
                        amount, "r", "d", bins, "m", std::nullopt, nullptr, outcome.completion());
                }),
                "")
                << bins.join(',').toStdString();
            EXPECT_TRUE(outcome.called);
            EXPECT_FALSE(outcome.success);
            EXPECT_EQ(outcome.error(),
                      TarvelloError::sdk(TarvelloErrorCode::InvalidBins, "Invalid bins"));
        }
    }
    EXPECT_EQ(handOver->handOvers, 0);
}

TEST_F(FacadeTest, ValidBinsAreCheckedByLengthOnlyAndThenTheStartOrder) {
    const QStringList bins = {"123456", "abcdef", "ñ-- ./"};
    EXPECT_EQ(assertionMessage([&] {
                  sdk().chargeAmountReferenceDescriptionAcceptedBinsCommerceNumberInstallments(
                      10, "r", "d", bins, "m", std::nullopt, nullptr, [](auto&&...) {});
              }),
              keyMessage);

    start();
    Outcome outcome;
    sdk().chargeAmountReferenceDescriptionAcceptedBinsCommerceNumberInstallments(
        10, "r", "d", bins, "m", std::nullopt, nullptr, outcome.completion());
    EXPECT_FALSE(outcome.called);
    ASSERT_TRUE(handOver->payment);
    EXPECT_EQ(handOver->payment->sale().acceptedBins(), bins);
}

TEST_F(FacadeTest, TotalsOfZeroOrLessFailWithInvalidAmountTipExcluded) {
    start();
    auto saleOf = [](std::initializer_list<std::pair<double, qint64>> lines, double tip) {
        TQSale sale;
        for (auto [price, quantity] : lines)
            sale.addItem(TQItem::itemWithProductQuantity(TQProduct("p", price), quantity));
        sale.setTip(tip);
        return sale;
    };
    const struct {
        const char* name;
        TQSale sale;
    } rejected[] = {
        {"empty sale", TQSale()},
        {"zero", saleOf({{0.0, 1}}, 0)},
        {"negative", saleOf({{-5.0, 1}}, 0)},
        {"lines summing to zero with a tip", saleOf({{10.0, 1}, {-5.0, 2}}, 50)},
        {"quantity zero", saleOf({{10.0, 0}}, 0)},
        {"not a number", saleOf({{std::nan(""), 1}}, 0)},
        {"infinite", saleOf({{std::numeric_limits<double>::infinity(), 1}}, 0)},
    };
    for (const auto& c : rejected) {
        Outcome outcome;
        sdk().charge(c.sale, nullptr, outcome.completion());
        EXPECT_TRUE(outcome.called) << c.name;
        EXPECT_FALSE(outcome.success) << c.name;
        EXPECT_EQ(outcome.error(),
                  TarvelloError::sdk(TarvelloErrorCode::InvalidAmount, "Invalid amount"))
            << c.name;
    }
    Outcome amountZero;
    sdk().chargeAmountDescriptionTipAmountCurrency(0, "d", 10, "032", nullptr,
                                                   amountZero.completion());
    EXPECT_EQ(amountZero.errorCode(), TarvelloErrorCode::InvalidAmount);
    EXPECT_EQ(handOver->handOvers, 0);

    // One negative line and a larger positive one make a positive total.
    sdk().charge(saleOf({{-5.0, 1}, {6.0, 1}}, 0), nullptr, [](auto&&...) {});
    EXPECT_EQ(handOver->handOvers, 1);
}

// What a charge variant must hand over to the payment presenter.
struct Expected {
    double price = 10;
    std::optional<QString> name;
    double tip = 0;
    std::optional<QString> reference;
    std::optional<QString> currency;
    std::optional<qint64> installments;
    std::optional<QString> merchantId;
    std::optional<QStringList> bins;

    Expected& withName(const QString& v) {
        name = v;
        return *this;
    }
    Expected& withTip(double v) {
        tip = v;
        return *this;
    }
    Expected& withReference(const QString& v) {
        reference = v;
        return *this;
    }
    Expected& withCurrency(const QString& v) {
        currency = v;
        return *this;
    }
    Expected& withInstallments(qint64 v) {
        installments = v;
        return *this;
    }
    Expected& withMerchantId(const QString& v) {
        merchantId = v;
        return *this;
    }
    Expected& withBins(const QStringList& v) {
        bins = v;
        return *this;
    }
};

TEST_F(FacadeTest, EveryChargeVariantHandsOverItsSaleReferenceAndCurrency) {
    start();
    QWidget host;
    TQSale hostSale = TQSale::saleWithItems(
        {TQItem::itemWithProductQuantity(TQProduct::productWithName("a", 2.5), 4),
         TQItem::itemWithProduct(TQProduct::productWithName(std::nullopt, 1))});
    hostSale.setTip(3);
    hostSale.setMerchantId(QString("M1"));
    hostSale.setAcceptedBins(QStringList{"411111"});
    hostSale.setInstallments(6);

    using C = TarvelloSDK::Completion;
    const struct {
        const char* name;
        std::function<void(C)> call;
        Expected expected;
    } variants[] = {
        {"1", [&](C c) { sdk().chargeAmount(10, &host, c); }, Expected()},
        {"2", [&](C c) { sdk().chargeAmountCurrency(10, "032", &host, c); },
         Expected().withCurrency("032")},
        {"3", [&](C c) { sdk().chargeAmountDescription(10, "d", &host, c); },
         Expected().withName("d")},
        {"4", [&](C c) { sdk().chargeAmountDescriptionCurrency(10, "d", "032", &host, c); },
         Expected().withName("d").withCurrency("032")},
        {"5",
         [&](C c) { sdk().chargeAmountDescriptionTipAmountCurrency(10, "d", 2, "032", &host, c); },
         Expected().withName("d").withTip(2).withCurrency("032")},
        {"6", [&](C c) { sdk().chargeAmountReferenceDescription(10, "r", "d", &host, c); },
         Expected().withName("d").withReference("r")},
        {"7", [&](C c) { sdk().chargeAmountExternalReferenceDescription(10, "x", "d", &host, c); },
         Expected().withName("d").withReference("x")},
        {"8",
         [&](C c) {
             sdk().chargeAmountReferenceDescriptionCurrency(10, "r", "d", "032", &host, c);
         },
         Expected().withName("d").withReference("r").withCurrency("032")},
        {"9",
         [&](C c) { sdk().chargeAmountReferenceDescriptionTipAmount(10, "r", "d", 2, &host, c); },
         Expected().withName("d").withTip(2).withReference("r")},
        {"10",
         [&](C c) {
             sdk().chargeAmountExternalReferenceDescriptionTipAmountCurrency(10, "x", "d", 2, "032",
                                                                             &host, c);
         },
         Expected().withName("d").withTip(2).withReference("x").withCurrency("032")},
        {"13",
         [&](C c) { sdk().chargeAmountDescriptionInstallmentsTipAmount(10, "d", 0, 2, &host, c); },
         Expected().withName("d").withTip(2).withInstallments(0)},
        {"14",
         [&](C c) {
             sdk().chargeAmountExternalReferenceDescriptionInstallmentsTipAmount(10, "x", "d", 12,
                                                                                 2, &host, c);
         },
         Expected().withName("d").withTip(2).withReference("x").withInstallments(12)},
        {"15",
         [&](C c) {
             sdk().chargeAmountReferenceDescriptionAcceptedBinsCommerceNumberInstallments(
                 10, "r", "d", QStringList{"123456", "654321"}, "C9", 3, &host, c);
         },
         Expected()
             .withName("d")
             .withReference("r")
             .withInstallments(3)
             .withMerchantId("C9")
             .withBins(QStringList{"123456", "654321"})},
        {"15 without conditions",
         [&](C c) {
             sdk().chargeAmountReferenceDescriptionAcceptedBinsCommerceNumberInstallments(
                 10, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, &host,
                 c);
         },
         Expected()},
        {"17",
         [&](C c) {
             sdk().chargeAmountExternalReferenceDescriptionCurrency(10, "x", "d", "032", &host, c);
         },
         Expected().withName("d").withReference("x").withCurrency("032")},
    };
    for (const auto& v : variants) {
        handOver->payment.reset();
        Outcome outcome;
        v.call(outcome.completion());
        ASSERT_TRUE(handOver->payment) << v.name;
        const PaymentSDK& payment = *handOver->payment;
        EXPECT_EQ(handOver->viewController, &host) << v.name;
        ASSERT_EQ(payment.sale().items().size(), 1) << v.name;
        const TQItem& line = payment.sale().items().first();
        EXPECT_EQ(line.product().price(), v.expected.price) << v.name;
        EXPECT_EQ(line.product().name(), v.expected.name) << v.name;
        EXPECT_EQ(line.quantity(), 1) << v.name;
        EXPECT_EQ(payment.sale().tip(), v.expected.tip) << v.name;
        EXPECT_EQ(payment.reference(), v.expected.reference) << v.name;
        EXPECT_EQ(payment.currencyCode(), v.expected.currency) << v.name;
        EXPECT_EQ(payment.sale().installments(), v.expected.installments) << v.name;
        EXPECT_EQ(payment.sale().merchantId(), v.expected.merchantId) << v.name;
        EXPECT_EQ(payment.sale().acceptedBins(), v.expected.bins) << v.name;
        // The host's completion is the one the charge ends with.
        payment.completion()({{"k", 1}}, true);
        EXPECT_TRUE(outcome.called && outcome.success) << v.name;
    }

    // The host's own sale goes on unchanged (variants 11, 12, 16).
    const struct {
        const char* name;
        std::function<void()> call;
        std::optional<QString> reference;
        std::optional<QString> currency;
    } saleVariants[] = {
        {"11", [&] { sdk().charge(hostSale, &host, [](auto&&...) {}); }, std::nullopt,
         std::nullopt},
        {"12", [&] { sdk().chargeReference(hostSale, "r", &host, [](auto&&...) {}); }, "r",
         std::nullopt},
        {"16",
         [&] { sdk().chargeReferenceCurrency(hostSale, "r", "840", &host, [](auto&&...) {}); }, "r",
         "840"},
    };
    for (const auto& v : saleVariants) {
        handOver->payment.reset();
        v.call();
        ASSERT_TRUE(handOver->payment) << v.name;
        const TQSale& sale = handOver->payment->sale();
        ASSERT_EQ(sale.items().size(), 2) << v.name;
        EXPECT_EQ(sale.items()[0].product().name(), QString("a")) << v.name;
        EXPECT_EQ(sale.items()[0].quantity(), 4) << v.name;
        EXPECT_FALSE(sale.items()[1].product().name()) << v.name;
        EXPECT_EQ(sale.tip(), 3) << v.name;
        EXPECT_EQ(sale.merchantId(), QString("M1")) << v.name;
        EXPECT_EQ(sale.acceptedBins(), QStringList{"411111"}) << v.name;
        EXPECT_EQ(sale.installments(), 6) << v.name;
        EXPECT_EQ(handOver->payment->reference(), v.reference) << v.name;
        EXPECT_EQ(handOver->payment->currencyCode(), v.currency) << v.name;
    }
}

// ---------------------------------------------------------------- refund, settings, screenless

TEST_F(FacadeTest, RefundTakesOnlyA64BitDecimalOperationId) {
    start();
    const struct {
        const char* text;
        std::optional<qint64> id; // nothing: 1202 at once, nothing handed over
    } cases[] = {
        {"42", 42},
        {"2147483648", 2147483648LL},
        {"4294967419", 4294967419LL},
        {"9223372036854775807", std::numeric_limits<qint64>::max()},
        {"9223372036854775808", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"-1", std::nullopt},
        {"12a", std::nullopt},
        {"  42", std::nullopt},
        {"abc", std::nullopt},
        {"", std::nullopt},
    };
    QWidget host;
    for (const auto& c : cases) {
        handOver->refund.reset();
        Outcome refused;
        sdk().refundOperationID(c.text, &host, refused.completion());
        if (!c.id) {
            EXPECT_FALSE(handOver->refund) << c.text;
            EXPECT_TRUE(refused.called) << c.text;
            EXPECT_FALSE(refused.success) << c.text;
            EXPECT_EQ(refused.error().code, 1202) << c.text;
            EXPECT_EQ(refused.error().description, "Invalid operation id") << c.text;
            continue;
        }
        ASSERT_TRUE(handOver->refund) << c.text;
        EXPECT_FALSE(refused.called) << c.text;
        EXPECT_EQ(handOver->refund->saleId(), *c.id) << c.text;
        EXPECT_FALSE(handOver->refund->askForAmount());
        EXPECT_EQ(handOver->refund->amount(), 0.0);
        EXPECT_EQ(handOver->viewController, &host);
    }
    Outcome outcome;
    sdk().refundOperationIDEnablePartialAmount("5", true, &host, outcome.completion());
    EXPECT_TRUE(handOver->refund->askForAmount());
    handOver->refund->completion()({}, true);
    EXPECT_TRUE(outcome.called);
}

TEST_F(FacadeTest, SettingsHandOverTheirPermissions) {
    start();
    sdk().presentSettingsFromViewControllerAllowReaderChange(nullptr, true);
    ASSERT_TRUE(handOver->settings);
    EXPECT_FALSE(handOver->settings->allowPictureChange());
    EXPECT_TRUE(handOver->settings->allowReaderChange());
    EXPECT_FALSE(handOver->settings->completion());

    sdk().presentSettingsFromViewControllerAllowPictureChangeAllowReaderChange(nullptr, true,
                                                                               false);
    EXPECT_TRUE(handOver->settings->allowPictureChange());
    EXPECT_FALSE(handOver->settings->allowReaderChange());
}

TEST_F(FacadeTest, ScreenlessOperationsHandOverTheirRequest) {
    start();
    using namespace ScreenlessOperations;
    auto none = [](const QVariantMap&, bool) {};
    QImage logo(4, 4, QImage::Format_RGB32);
    logo.fill(Qt::red);
    const struct {
        std::function<void()> call;
        ScreenlessOperation operation;
    } cases[] = {
        {[&] { sdk().sendReceiptForOperationID("12", "a@b.c", none); },
         SendReceiptForOperationID{"12", "a@b.c"}},
        {[&] { sdk().getPDFReceiptForOperationID("12", none); }, GetPDFReceiptForOperationID{"12"}},
        {[&] { sdk().retrievePaymentInfoForOperationID("12", none); },
         GetPaymentInfoForOperationID{"12"}},
        {[&] { sdk().retrievePaymentInfoForReference("R-1", none); },
         GetPaymentInfoForReference{"R-1"}},
        // The external reference is the same lookup as the reference.
        {[&] { sdk().retrievePaymentInfoForExternalReference("R-1", none); },
         GetPaymentInfoForReference{"R-1"}},
        {[&] { sdk().retrieveAgreementNumbersWithCompletion(none); }, GetAgreementNumbers{}},
        {[&] { sdk().changeMerchantLogo(logo, none); }, ChangeMerchantLogo{logo}},
        {[&] { sdk().retrieveBatchInformation(none); }, GetBatchInformation{}},
        {[&] { sdk().closeBatchWithId("31", none); }, CloseBatchWithInstallmentId{"31"}},
        {[&] { sdk().closeAllBatches(none); }, CloseBatchWithInstallmentId{"0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.operation.index());
        handOver->operation.reset();
        c.call();
        ASSERT_TRUE(handOver->operation);
        EXPECT_TRUE(*handOver->operation == c.operation);
    }
}

// ---------------------------------------------------------------- session

QByteArray storedAnswer(const QVariantMap& answer) {
    return CacheHelper::encodeAnswer(answer);
}

TEST_F(FacadeTest, CurrentEmailComesFromTheUserOrTheStoredSession) {
    EXPECT_FALSE(sdk().currentEmail());

    UserDefaults::standardUserDefaults().setObject(storedAnswer({{"email", "last@shop.com"}}),
                                                   "lastUser");
    EXPECT_EQ(sdk().currentEmail(), QString("last@shop.com"));

    logIn("now@shop.com");
    EXPECT_EQ(sdk().currentEmail(), QString("now@shop.com"));

    // Logging out forgets both.
    start();
    sdk().logout();
    EXPECT_FALSE(User::instance().isLoggedIn());
    EXPECT_FALSE(sdk().currentEmail());
    EXPECT_FALSE(UserDefaults::standardUserDefaults().hasKey("lastUser"));
    // The facade's own settings stay.
    EXPECT_EQ(sdk().getApiKey(), QString("key"));
    EXPECT_EQ(sdk().getUserToken(), QString("token"));
    EXPECT_TRUE(sdk().mainColor());
}

TEST_F(FacadeTest, CurrentEmailIgnoresAStoredSessionItCannotRead) {
    for (const QVariant& stored :
         {QVariant(QByteArray()), QVariant(QByteArray("\xff\x01garbage")), QVariant("text"),
          QVariant(storedAnswer({{"email", 12}})), QVariant(storedAnswer({{"name", "x"}}))}) {
        UserDefaults::standardUserDefaults().setObject(stored, "lastUser");
        EXPECT_FALSE(sdk().currentEmail());
    }
}

TEST_F(FacadeTest, EnforcedAccountKeepsOrEndsTheSession) {
    start();
    const struct {
        std::optional<QString> account;
        bool keeps;
    } cases[] = {
        {QString("ana@shop.com"), true},
        {std::nullopt, true},
        {QString("bob@shop.com"), false},
        {QString("ANA@shop.com"), false},
    };
    for (const auto& c : cases) {
        logIn("ana@shop.com");
        sdk().setEnforcedUserAccount(c.account);
        EXPECT_EQ(User::instance().isLoggedIn(), c.keeps)
            << c.account.value_or("null").toStdString();
        EXPECT_EQ(sdk().enforcedUserAccount(), c.account);
    }
    // Without a session there is nothing to end.
    User::instance().reset();
    sdk().setEnforcedUserAccount(QString("bob@shop.com"));
    EXPECT_EQ(sdk().enforcedUserAccount(), QString("bob@shop.com"));
}

TEST_F(FacadeTest, EnforcedDomainKeepsOrEndsTheSession) {
    start();
    const struct {
        const char* email;
        std::optional<QString> domain;
        bool keeps;
    } cases[] = {
        {"ana@shop.com", QString("shop.com"), true},
        {"ana@shop.com", std::nullopt, true},
        {"ana@shop.com", QString("Shop.com"), false},
        {"ana@shop.com", QString("other.com"), false},
        {"ana@shop.com@x", QString("shop.com"), true},
        // An address without "@" has no domain: it is a mismatch.
        {"ana", QString("shop.com"), false},
        {"ana", QString(""), false},
        {"ana@", QString(""), true},
    };
    for (const auto& c : cases) {
        logIn(c.email);
        sdk().setEnforcedDomain(c.domain);
        EXPECT_EQ(User::instance().isLoggedIn(), c.keeps)
            << c.email << " / " << c.domain.value_or("null").toStdString();
        EXPECT_EQ(sdk().enforcedDomain(), c.domain);
        sdk().setEnforcedDomain(std::nullopt);
    }
}

TEST_F(FacadeTest, AccountAndDomainCannotBeEnforcedTogether) {
    sdk().setEnforcedDomain(QString("shop.com"));
    EXPECT_EQ(assertionMessage([] { sdk().setEnforcedUserAccount(QString("a@shop.com")); }),
              "Can't enforce user account if enforcing domain");
    // Even clearing the account asserts while a domain is enforced.
    EXPECT_EQ(assertionMessage([] { sdk().setEnforcedUserAccount(std::nullopt); }),
              "Can't enforce user account if enforcing domain");
    EXPECT_FALSE(sdk().enforcedUserAccount());

    sdk().setEnforcedDomain(std::nullopt);
    sdk().setEnforcedUserAccount(QString("a@shop.com"));
    EXPECT_EQ(assertionMessage([] { sdk().setEnforcedDomain(QString("shop.com")); }),
              "Can't enforce domain if enforcing user account");
    EXPECT_FALSE(sdk().enforcedDomain());
}

} // namespace
