#include "EndpointSupport.h"

#include "model/values/Tax.h"

#include <QImage>
#include <QJsonObject>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>
#include <atomic>

// The cases name only the parts of a request they need.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

using Pairs = QList<QPair<QString, QString>>;

// How a case reaches the back end and how its answer comes back.
enum class Kind {
    Delegate,    // asynchronous; the answer reaches the delegate with the function code
    Synchronous, // sent from a worker thread; the reply bytes come back to the caller
    Block,       // block-style; completion or failure callback
};

struct Case {
    QString name;
    Kind kind = Kind::Delegate;
    // Delegate and synchronous cases: the call on a fresh client (its bytes for synchronous).
    std::function<std::optional<QByteArray>(APIController&)> call;
    // Block-style cases: the call with a completion that is told of success.
    std::function<void(std::function<void()> succeeded, APIController::Failure)> block;
    QString method;
    QString path;
    int code = 0;      // function code handed to the delegate (delegate cases)
    Pairs fields;      // every form field, with its exact text ("json:" compares parsed JSON)
    Pairs query;       // every query item
    QStringList files; // field names of the file parts
    QString jsonBody;  // the whole body as JSON (block-style JSON posts)
    Pairs headers;     // headers that must be present with these values
    bool fieldsAmongOthers = false; // the listed fields are present; others may be too
};

const QString registrationJson = QStringLiteral(
    R"(json:{"totalAmount":"110.00","isPaid":"false","tipAmount":"10.00","discountAmount":"0.00",)"
    R"("items":[{"isCustomAmount":false,"productId":"7","productName":"Cafe",)"
    R"("productDescription":"","productPrice":"50.00","imageKeyForUpload":"","quantity":"2",)"
    R"("taxes":[{"name":"","amount":"0"}],"discountAmount":"0.00",)"
    R"("productBackgroundColor":"FF0000","totalAmount":"100.00"}],)"
    R"("discounts":[{"discountId":"3","discountName":"Promo","discountPercentage":"0.10",)"
    R"("discountAmount":"0.00"}],"taxes":[{"name":"IVA","amount":"0.0000"}]})");

// The prepaid form: unit price without tax, line total with tax less discount, tax amounts
// always with four decimals.
const QString prepaidJson =
    QString(registrationJson)
        .replace(QStringLiteral(R"("amount":"0"})"), QStringLiteral(R"("amount":"0.0000"})"));

bool valueMatches(const QString& expected, const QString& actual) {
    if (expected.startsWith(QLatin1String("json:")))
        return QJsonDocument::fromJson(expected.mid(5).toUtf8()) ==
               QJsonDocument::fromJson(actual.toUtf8());
    return expected == actual;
}

Pairs sortedByName(Pairs pairs) {
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return pairs;
}

std::string describe(const Pairs& pairs) {
    QStringList lines;
    for (const auto& [name, value] : pairs)
        lines << name + QStringLiteral(" = ") + value;
    return lines.join(u'\n').toStdString();
}

// Compares field or query lists: the same names in the body's order (by name) and values.
void expectPairs(const Pairs& expected, const Pairs& actual) {
    const Pairs want = sortedByName(expected);
    bool same = want.size() == actual.size();
    for (qsizetype i = 0; same && i < want.size(); ++i)
        same = want[i].first == actual[i].first && valueMatches(want[i].second, actual[i].second);
    EXPECT_TRUE(same) << "expected:\n" << describe(want) << "\nrecorded:\n" << describe(actual);
}

QString answerSuccess(const QByteArray& bytes) {
    return QJsonDocument::fromJson(bytes).object().value("success").toString();
}

class EndpointCatalogTest : public EndpointTest {
protected:
    // Runs one case and checks what the sandbox recorded.
    void run(const Case& c) {
        SCOPED_TRACE(c.name.toStdString());
        sandbox->clearRequests();
        RecordingDelegate delegate;
        switch (c.kind) {
        case Kind::Delegate: {
            APIController client;
            client.setDelegate(&delegate);
            EXPECT_FALSE(c.call(client).has_value());
            ASSERT_TRUE(waitUntil([&] { return delegate.done; }));
            EXPECT_EQ(delegate.code, c.code);
            ASSERT_FALSE(delegate.failure.has_value())
                << delegate.failure->description.toStdString();
            ASSERT_TRUE(delegate.dictionary.has_value());
            // The reader shop's answers say it under "status".
            const QVariantMap& answer = *delegate.dictionary;
            EXPECT_EQ(answer.value(answer.contains("success") ? "success" : "status").toString(),
                      "OK");
            break;
        }
        case Kind::Synchronous: {
            std::optional<QByteArray> bytes;
            QThread* worker = QThread::create([&] {
                APIController client;
                client.setDelegate(&delegate);
                bytes = c.call(client);
            });
            worker->start();
            ASSERT_TRUE(waitUntil([&] { return worker->isFinished(); }));
            delete worker;
            ASSERT_TRUE(bytes.has_value());
            EXPECT_EQ(answerSuccess(*bytes), "OK") << bytes->toStdString();
            EXPECT_FALSE(delegate.done);
            break;
        }
        case Kind::Block: {
            bool succeeded = false;
            std::optional<TarvelloError> failed;
            c.block([&] { succeeded = true; }, [&](const TarvelloError& error) { failed = error; });
            ASSERT_TRUE(waitUntil([&] { return succeeded || failed; }));
            ASSERT_FALSE(failed.has_value()) << failed->description.toStdString();
            break;
        }
        }

        const QList<SandboxRequest> requests = sandbox->requests();
        ASSERT_EQ(requests.size(), 1);
        const SandboxRequest& request = requests.first();
        EXPECT_EQ(request.method, c.method);
        EXPECT_EQ(request.path, SandboxServer::apiPath(c.path));
        if (c.fieldsAmongOthers) {
            for (const auto& [name, value] : c.fields) {
                EXPECT_EQ(request.field(name), value) << name.toStdString();
            }
        } else {
            expectPairs(c.fields, request.fields);
        }
        expectPairs(c.query, request.query);
        QStringList files;
        for (const SandboxFile& file : request.files)
            files << file.field;
        EXPECT_EQ(files, c.files);
        if (!c.jsonBody.isEmpty()) {
            EXPECT_EQ(request.json, QJsonDocument::fromJson(c.jsonBody.toUtf8()).toVariant());
        }
        for (const auto& [name, value] : c.headers) {
            EXPECT_EQ(QString::fromUtf8(request.header(name.toUtf8())), value)
                << name.toStdString();
        }
    }

    Pairs user() const { return {{"userId", userId}, {"token", token}}; }
    Pairs with(Pairs more) const { return user() + more; }
};

// The card and reader fields a payment, card refund and void carry for cardSale().
Pairs cardFields(const QString& type) {
    return {{"cardNumber", "4111111111111111"},
            {"expireDate", "2512"},
            {"cardHolderName", "ANA GOMEZ"},
            {"securityCode", "123"},
            {"holderIdentificationType", "DNI"},
            {"holderIdentificationNumber", "30111222"},
            {"ksn", "FFFF9876543210E00001"},
            {"track2data", "T2ENC"},
            {"batteryCharge", "1.00"},
            {"serviceCode", "201"},
            {"serialNumber", "SN1"},
            {"fullSerialNumber", "FULLSN1"},
            {"isFallback", "0"},
            {"transactionType", type},
            {"selectedReader", "dspread"}};
}

const Pairs chipData{{"pinBlock", "PB01"},
                     {"pinKsn", "PK01"},
                     {"emvTags", R"({"9F02":"000000011000"})"},
                     {"emvApp", R"({"label":"VISA"})"}};

const Pairs noFix{{"latitude", "-180.000000"}, {"longitude", "-180.000000"}};

} // namespace

TEST_F(EndpointCatalogTest, EveryOperationSendsItsPathTransportCodeAndFields) {
    const QString saleA = recordedSaleId(), saleB = recordedSaleId(), saleC = recordedSaleId(),
                  saleD = recordedSaleId(), saleE = recordedSaleId(), saleF = recordedSaleId(),
                  saleG = recordedSaleId();
    const QString U = userId, T = token;
    auto card = [](QString type, QString id = {}) { return cardSale(type, id); };
    auto tax21 = Tax::init();
    tax21->setName("IVA");
    tax21->setAmount(Amount::initWithDouble(21));
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    const QVariantMap order{
        {"items", QVariantList{QVariantMap{{"item", QVariantMap{{"id", 11}}}, {"amount", 1}},
                               QVariantMap{{"item", QVariantMap{{"id", 12}}}, {"amount", 2}}}},
        {"billingAddress", QVariantMap{{"firstName", "Ana"},
                                       {"lastName", "Gomez"},
                                       {"document", "30111222"},
                                       {"streetName", "Corrientes"},
                                       {"streetNumber", "1234"},
                                       {"floor", "3B"},
                                       {"city", ""},
                                       {"state", "Ciudad Autónoma de Buenos Aires"},
                                       {"zipCode", "1043"},
                                       {"phone", "1155550000"}}},
        {"payments", "6"},
        {"promotionId", "p-9"},
        {"realAmount", "2199.00"},
        {"shipping",
         QVariantMap{{"method", "ship"},
                     {"address", QVariantMap{{"streetName", "Mitre"},
                                             {"streetNumber", "50"},
                                             {"floor", ""},
                                             {"city", ""},
                                             {"state", "Ciudad Autónoma de Buenos Aires"},
                                             {"zipCode", "1000"}}}}},
        {"payment", QVariantMap{{"method", "wallet"}, {"walletId", "w-1"}}}};
    QVariantMap pickUpOrder = order;
    pickUpOrder["shipping"] = QVariantMap{{"method", "pickup"}, {"pickUpId", "s-1"}};
    pickUpOrder["payment"] =
        QVariantMap{{"method", "card"},     {"name", "ANA GOMEZ"},  {"document", "30111222"},
                    {"cardNumber", "4111"}, {"expireDate", "2512"}, {"securityCode", "123"}};

    const Pairs registration = Pairs{{"userId", U},
                                     {"token", T},
                                     {"saleInformationJson", registrationJson},
                                     {"currency", "032"},
                                     {"totalAmount", "110.00"},
                                     {"installmentId", "plan-3"},
                                     {"channel", "pos"},
                                     {"externalReference", "REF-9"}} +
                               noFix;
    auto cardRegistration = [&](const QString& type) {
        return registration + cardFields(type) + chipData +
               Pairs{{"paymentMethod", "card"}, {"currencyCode", "032"},
                     {"installments", "3"},     {"invoiceTotalAmount", "0.00"},
                     {"taxableAmount", "0.00"}, {"isTaxRefund", "0"},
                     {"invoiceNumber", "F-1"},  {"pinOfflineInserted", "0"},
                     {"forceTransaction", "0"}, {"fallbackCondition", ""},
                     {"transactionToken", ""},  {"applicationLabel", "VISA CREDITO"}};
    };
    auto cardRefund = [&](const QString& type, const QString& id) {
        return with({{"saleId", id},
                     {"operationId", id},
                     {"amount", "100.00"},
                     {"currency", "032"},
                     {"currencyCode", "032"},
                     {"pinOfflineInserted", "0"}}) +
               noFix + cardFields(type) + chipData;
    };
    auto cardVoid = [&](const QString& type, const QString& id) {
        return with({{"saleId", id},
                     {"totalAmount", "110.00"},
                     {"currency", "032"},
                     {"installmentId", "plan-3"},
                     {"installments", "3"},
                     {"invoiceTotalAmount", "0.00"},
                     {"taxableAmount", "0.00"},
                     {"isTaxRefund", "0"},
                     {"invoiceNumber", "F-1"},
                     {"pinOfflineInserted", "0"}}) +
               noFix + cardFields(type) + chipData;
    };
    auto cashSale = sampleSale();
    auto noCardRefund = sampleSale();
    noCardRefund->setSaleId(saleC);
    noCardRefund->setCanRefundWithoutCard(true);
    auto lookup = card("", "");
    lookup->creditCard()->setNumber("45");
    const LocationCoordinate here{-34.6, -58.38};
    // Sales of the synchronous cases, made here on the main thread.
    auto chipSale = card("emv");
    auto peiRefund = card("pei", saleB);
    auto walletVoid = card("WALLET", saleE);

    const QList<Case> cases{
        // ---- sale registration, refunds and voids
        {"cash sale",
         Kind::Delegate,
         [&](APIController& c) { return c.registerSale(*cashSale, U, T); },
         {},
         "POST",
         "/payments/savePayment.json",
         53,
         registration + Pairs{{"paymentMethod", "cash"}}},
        {"swiped card sale",
         Kind::Delegate,
         [&](APIController& c) { return c.registerSale(*card(""), U, T); },
         {},
         "POST",
         "/payments/savePayment.json",
         53,
         cardRegistration("")},
        {"wallet card sale",
         Kind::Delegate,
         [&](APIController& c) { return c.registerSale(*card("WALLET"), U, T); },
         {},
         "POST",
         "/payments/savePayment.json",
         53,
         cardRegistration("WALLET")},
        {"chip card sale",
         Kind::Synchronous,
         [&](APIController& c) { return c.registerSale(*chipSale, U, T); },
         {},
         "POST",
         "/payments/savePayment.json",
         0,
         cardRegistration("emv")},
        {"typed card refund",
         Kind::Delegate,
         [&](APIController& c) { return c.makeRefundForSale(*card("manual", saleA), U, T); },
         {},
         "POST",
         "/refunds/makeRefund.json",
         46,
         cardRefund("manual", saleA)},
        {"pei card refund",
         Kind::Synchronous,
         [&](APIController& c) { return c.makeRefundForSale(*peiRefund, U, T); },
         {},
         "POST",
         "/refunds/makeRefund.json",
         0,
         cardRefund("pei", saleB)},
        {"refund without card",
         Kind::Delegate,
         [&](APIController& c) { return c.makeRefundForSale(*noCardRefund, U, T); },
         {},
         "POST",
         "/refunds/makeRefund.json",
         46,
         with({{"operationId", saleC},
               {"amount", "100.00"},
               {"isFallback", "0"},
               {"transactionType", "NO_CARD"},
               {"refundWithoutCard", "1"}}) +
             noFix},
        {"prepaid card void",
         Kind::Delegate,
         [&](APIController& c) { return c.makeAnnulationForSale(*card("prepaid", saleD), U, T); },
         {},
         "POST",
         "/operations/makeAnnulation.json",
         45,
         cardVoid("prepaid", saleD)},
        {"wallet card void",
         Kind::Synchronous,
         [&](APIController& c) { return c.makeAnnulationForSale(*walletVoid, U, T); },
         {},
         "POST",
         "/operations/makeAnnulation.json",
         0,
         cardVoid("WALLET", saleE)},
        {"cash void",
         Kind::Delegate,
         [&](APIController& c) {
             c.cancelOperationWithId(saleF, U, T, "", "cash");
             return std::nullopt;
         },
         {},
         "POST",
         "/payments/annulation.json",
         45,
         with({{"operationId", saleF}, {"pin", ""}, {"paymentMethod", "cash"}})},
        {"partial refund",
         Kind::Delegate,
         [&](APIController& c) {
             c.makePartialRefundForSale({{"saleId", saleG.toLongLong()},
                                         {"currency", "032"},
                                         {"latitude", -34.6},
                                         {"longitude", "-58.38"}},
                                        12.345, U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/operations/makeRefund.json",
         49,
         with({{"operationId", saleG},
               {"currencyCode", "032"},
               {"amount", "12.35"},
               {"latitude", "-34.6"},
               {"longitude", "-58.38"}})},
        {"refund chip tags",
         Kind::Delegate,
         [&](APIController& c) {
             c.makeRefundEMVTagsForUserId(U, T, 1234567.89);
             return std::nullopt;
         },
         {},
         "POST",
         "/refunds/makeRefundEMVTags.json",
         47,
         with({{"amount", "1234567.89"}})},

        // ---- prepaid cards
        {"prepaid payment",
         Kind::Delegate,
         [&](APIController& c) {
             auto sale = sampleSale();
             sale->setSubtotal(Amount::initWithDouble(1234567.89));
             sale->setTipPercentage(0);
             c.payWithPrepaidCard("6011000000000004", "4321", *sale, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/v1/prepaid-payments",
         53,
         Pairs{{"cardNumber", "6011000000000004"},
               {"pin", "4321"},
               {"token", T},
               {"saleInformationJson",
                QString(prepaidJson)
                    .replace(R"("totalAmount":"110.00","isPaid")",
                             R"("totalAmount":"1234567.89","isPaid")")
                    .replace(R"("tipAmount":"10.00")", R"("tipAmount":"0.00")")},
               {"currency", "032"},
               {"totalAmount", "1234567.890000"}} +
             noFix},
        {"prepaid recharge",
         Kind::Delegate,
         [&](APIController& c) {
             c.rechargeAmount(50, "6011000000000004", T);
             return std::nullopt;
         },
         {},
         "POST",
         "/v1/refills",
         105,
         {{"token", T}, {"cardNumber", "6011000000000004"}, {"amount", "50.000000"}}},
        {"recharge voucher",
         Kind::Delegate,
         [&](APIController& c) {
             c.sendRechargeReceiptToEmail(" ana@example.com ", "r-1", T);
             return std::nullopt;
         },
         {},
         "POST",
         "/vouchers",
         106,
         {{"token", T}, {"email", " ana@example.com "}, {"refillId", "r-1"}}},

        // ---- installments, banks, issuers, promotions
        {"installments of an amount",
         Kind::Delegate,
         [&](APIController& c) {
             c.getInstallmentsWithUserId(U, T, 1234.5);
             return std::nullopt;
         },
         {},
         "POST",
         "/installments/getInstallments.json",
         60,
         with({{"total", "1234.50"}})},
        {"banks",
         Kind::Delegate,
         [&](APIController& c) {
             c.getBanksWithUserId(U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/banks/getBanks.json",
         61,
         user()},
        {"installments by issuer",
         Kind::Delegate,
         [&](APIController& c) {
             c.getInstallmentsForCard("Visa", U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/installments/getInformationByCard.json",
         62,
         with({{"issuerName", "Visa"}})},
        {"installments by bank",
         Kind::Delegate,
         [&](APIController& c) {
             c.getInstallmentsForBank("Galicia", U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/installments/getInformationByBank.json",
         63,
         with({{"bankName", "Galicia"}})},
        {"promotion of a sale",
         Kind::Delegate,
         [&](APIController& c) {
             auto sale = card("emv");
             sale->setSubtotal(Amount::initWithDouble(99.999));
             c.getPromotionForSale(*sale, U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/getpromotion",
         64,
         with({{"bin", "411111"},
               {"track2data", "T2ENC"},
               {"ksn", "FFFF9876543210E00001"},
               {"serialNumber", "SN1"},
               {"fullSerialNumber", "FULLSN1"},
               {"selectedReader", "dspread"},
               {"amount", "100.00"}})},
        {"installments of a short card number",
         Kind::Delegate,
         [&](APIController& c) {
             c.getInstallmentsForSale(*lookup, U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/installments/getInstallments.json",
         64,
         with({{"bin", "45"},
               {"track2data", "T2ENC"},
               {"ksn", "FFFF9876543210E00001"},
               {"serialNumber", "SN1"},
               {"fullSerialNumber", "FULLSN1"},
               {"selectedReader", "dspread"},
               {"total", "100.00"}})},
        {"installments of a BIN",
         Kind::Delegate,
         [&](APIController& c) {
             c.getInstallmentsForBin("1234567", U, T, 1999, std::nullopt);
             return std::nullopt;
         },
         {},
         "POST",
         "/installments/getInstallments.json",
         64,
         with({{"bin", "123456"}, {"total", "1999.00"}, {"from", ""}})},
        {"issuers",
         Kind::Delegate,
         [&](APIController& c) {
             c.getIssuersWithUserId(U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/issuers/getIssuers.json",
         65,
         user()},

        // ---- block-style payment and account calls, payment buttons
        {"currency conversion check",
         Kind::Block,
         {},
         [&](auto ok, auto fail) {
             APIController::dccVerificationForCardEncryptedData(
                 "ENC", "KSN1", "chip", "6", "411111", 10.5, 0, 1, "SN1",
                 [ok](const Response&) { ok(); }, fail);
         },
         "POST",
         "/payments/dcc-verify",
         0,
         {},
         {},
         {},
         QString(R"({"entryMode":"chip","installments":"1",)"
                 R"("amount":{"total":"10.500000","vat":"0.000000","tip":"1.000000"},)"
                 R"("cardData":{"ksn":"KSN1","encryptedData":"ENC","bin":"411111"},)"
                 R"("reader":{"serialNumber":"SN1"},"userId":"%1"})")
             .arg(U),
         {{"Content-Type", "application/json"}, {"X-Authentication-Token", T}}},
        {"operation by identifier",
         Kind::Block,
         {},
         [&](auto ok, auto fail) {
             APIController::getOperationWithIdentifier(
                 saleA, [ok](const Response&) { ok(); }, fail);
         },
         "POST",
         "/sales/getSaleRecord.json",
         0,
         with({{"saleId", saleA}, {"operationId", saleA}}),
         {},
         {},
         {},
         {{"Content-Type", "multipart/form-data; boundary=0xKhTmLbOuNdArY"}}},
        {"taxes",
         Kind::Block,
         {},
         [&](auto ok, auto fail) {
             APIController::getMultipleTaxesOnCompletion(
                 [ok](const TaxList& taxes) {
                     if (taxes.size() == 1)
                         ok();
                 },
                 fail);
         },
         "GET",
         "/taxes",
         0,
         {},
         {},
         {},
         {},
         {{"X-Authentication-Token", T}}},
        {"sale in one call",
         Kind::Block,
         {},
         [&](auto ok, auto fail) {
             auto sale = sampleSale();
             sale->setCustomDataValue("token", "stale");
             APIController::performSale(
                 *sale,
                 [ok](SalePtr registered) {
                     if (registered && !registered->saleId().isEmpty())
                         ok();
                 },
                 fail);
         },
         "POST",
         "/payments/savePayment.json",
         0,
         Pairs{{"userId", U}, {"token", T}, {"paymentMethod", "cash"}, {"totalAmount", "110.00"}},
         {},
         {},
         {},
         {},
         true},
        {"bank account status",
         Kind::Block,
         {},
         [&](auto ok, auto fail) {
             APIController::getAccountCBUStatus(
                 [ok](const QVariantMap& json) {
                     if (json.contains("cbuStatus"))
                         ok();
                 },
                 fail);
         },
         "GET",
         "/account/cbu",
         0,
         {},
         user()},
        {"bank account link",
         Kind::Block,
         {},
         [&](auto ok, auto fail) {
             APIController::linkCBUOrAlias(
                 "mi.alias", R"({"bankAccount":{"alias":"mi.alias"}})",
                 [ok](const Response&) { ok(); }, fail);
         },
         "PUT",
         "/account/bank-account",
         0,
         {},
         {},
         {},
         R"({"bankAccount":{"alias":"mi.alias"}})",
         {{"Content-Type", "multipart/form-data; boundary=----WebKitFormBoundary7MA4YWxkTrZu0gW"}}},
        {"payment button",
         Kind::Delegate,
         [&](APIController& c) {
             c.generateShareTokenWithTitle("Cuota", 1500.5, "032", "10");
             return std::nullopt;
         },
         {},
         "POST",
         "/paymentButtons/12/es",
         113,
         with({{"description", "Cuota"},
               {"amount", "1500.50"},
               {"max_elements", "10"},
               {"currency_code", "032"}})},
        {"payment button by e-mail",
         Kind::Delegate,
         [&](APIController& c) {
             c.sharePaymentButton("btn-1", " ana@example.com");
             return std::nullopt;
         },
         {},
         "POST",
         "/paymentButtonsSendmail/btn-1",
         114,
         with({{"email", " ana@example.com"}})},

        // ---- catalog, discounts, private installments
        {"new category",
         Kind::Delegate,
         [&](APIController& c) {
             c.saveCategoryWithName("Bebidas", "Frias", "0", std::nullopt, U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/inventories/saveCategory.json",
         66,
         with({{"categoryName", "Bebidas"},
               {"categoryDescription", "Frias"},
               {"parentCategoryId", "0"}})},
        {"edited category",
         Kind::Delegate,
         [&](APIController& c) {
             c.saveCategoryWithName("Bebidas", "", "2", QString("9"), U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/inventories/saveCategory.json",
         66,
         with({{"categoryName", "Bebidas"},
               {"categoryDescription", ""},
               {"parentCategoryId", "2"},
               {"categoryId", "9"}})},
        {"categories",
         Kind::Synchronous,
         [&](APIController& c) { return c.getCategoriesForUserId(U, T); },
         {},
         "POST",
         "/inventories/getCategories.json",
         0,
         user()},
        {"category deletion",
         Kind::Delegate,
         [&](APIController& c) {
             c.deleteCategoryId("9", U, T, true);
             return std::nullopt;
         },
         {},
         "POST",
         "/inventories/deleteCategory.json",
         68,
         with({{"categoryId", "9"}, {"deleteContent", "1"}})},
        {"new product with picture",
         Kind::Delegate,
         [&](APIController& c) {
             c.saveProductWithName("Cafe", 12.5, "Grande", picture, {tax21}, "032", "1",
                                   QColor(255, 0, 0), false, std::nullopt, U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/inventories/saveProduct.json",
         67,
         with({{"productName", "Cafe"},
               {"productPrice", "12.5000"},
               {"productDescription", "Grande"},
               {"categoryId", "1"},
               {"taxes", R"([{"amount":"21.0000","name":"IVA"}])"},
               {"currencyCode", "032"},
               {"backgroundColor", "FF0000"},
               {"deleteProductImage", "0"}}),
         {},
         {"productImage"}},
        {"edited product without taxes",
         Kind::Delegate,
         [&](APIController& c) {
             c.saveProductWithName("Te", 3, "", QImage(), {}, "032", "1", QColor(0, 128, 255), true,
                                   QString("44"), U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/inventories/saveProduct.json",
         67,
         with({{"productName", "Te"},
               {"productPrice", "3.0000"},
               {"productDescription", ""},
               {"categoryId", "1"},
               {"productId", "44"},
               {"taxes", "[]"},
               {"currencyCode", "032"},
               {"backgroundColor", "0080FF"},
               {"deleteProductImage", "1"}})},
        {"favourite",
         Kind::Delegate,
         [&](APIController& c) {
             c.saveFavoriteWithProductId("44", "2", U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/inventories/saveFavorite.json",
         71,
         with({{"favoriteId", "44"}, {"position", "2"}})},
        {"products",
         Kind::Synchronous,
         [&](APIController& c) { return c.getProductsForUserId(U, T); },
         {},
         "POST",
         "/inventories/getProducts.json",
         0,
         user()},
        {"product deletion",
         Kind::Delegate,
         [&](APIController& c) {
             c.deleteProductIds("44,45", U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/inventories/deleteProduct.json",
         69,
         with({{"productIds", "44,45"}})},
        {"favourite deletion",
         Kind::Delegate,
         [&](APIController& c) {
             c.deleteFavoritesIds("44", U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/inventories/deleteFavorite.json",
         72,
         with({{"favoriteIds", "44"}})},
        {"category of products",
         Kind::Delegate,
         [&](APIController& c) {
             c.assignCategoryId(9, "44,45", U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/inventories/assignCategoryToProducts.json",
         70,
         with({{"productIds", "44,45"}, {"categoryId", "9"}})},
        {"discounts",
         Kind::Synchronous,
         [&](APIController& c) { return c.getDiscountsForUserId(U, T); },
         {},
         "POST",
         "/discounts/getDiscounts.json",
         0,
         user()},
        {"new discount",
         Kind::Delegate,
         [&](APIController& c) {
             c.saveDiscountWithName("Promo", 10, 0, 0, U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/discounts/saveDiscount.json",
         73,
         with({{"name", "Promo"}, {"discountPercentage", "10.00"}, {"discountAmount", "0.00"}})},
        {"edited discount",
         Kind::Delegate,
         [&](APIController& c) {
             c.saveDiscountWithName("Fijo", 0, 2.675, 5, U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/discounts/saveDiscount.json",
         73,
         with({{"name", "Fijo"},
               {"discountPercentage", "0.00"},
               {"discountAmount", "2.68"},
               {"discountId", "5"}})},
        {"discount deletion",
         Kind::Delegate,
         [&](APIController& c) {
             c.deleteDiscountsIds("5", U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/discounts/deleteDiscount.json",
         74,
         with({{"discountIds", "5"}})},
        {"private plan order",
         Kind::Delegate,
         [&](APIController& c) {
             c.setPrivateInstallmentsOrder({"3", "6", "12"}, U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/installments/setPrivateInstallmentsOrder.json",
         76,
         with({{"installmentsOrder", "3,6,12"}})},
        {"private plan",
         Kind::Delegate,
         [&](APIController& c) {
             c.savePrivateInstallmentWithId("pp-1", "Visa", "k", "bank", false, "2026-01-01",
                                            "2026-12-31", {3, 6}, U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/installments/savePrivateInstallment.json",
         77,
         with({{"installmentId", "pp-1"},
               {"issuerName", "Visa"},
               {"key", "k"},
               {"type", "bank"},
               {"enabled", "0"},
               {"startDate", "2026-01-01"},
               {"endDate", "2026-12-31"},
               {"installments", "[3,6]"}})},
        {"private plan deletion",
         Kind::Delegate,
         [&](APIController& c) {
             c.deletePrivateInstallmentsWithId("pp-1", U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/installments/deletePrivateInstallment.json",
         78,
         with({{"installmentId", "pp-1"}})},

        // ---- sub-users, buyers, feedback, balances
        {"sub-users",
         Kind::Delegate,
         [&](APIController& c) {
             c.getSubUsersForUserId(U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/users/getSubUsers.json",
         79,
         user()},
        {"sub-user without general settings",
         Kind::Delegate,
         [&](APIController& c) {
             c.saveSubUserWithId("71", "  caja@example.com ", "Caja", "Uno", picture, true, true,
                                 true, true, true, false, true, true, "17", U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/users/saveSubUser.json",
         80,
         with({{"subUserId", "71"},
               {"firstName", "Caja"},
               {"lastName", "Uno"},
               {"email", "caja@example.com"},
               {"userHistory", "1"},
               {"fullHistory", "1"},
               {"refunds", "1"},
               {"annulments", "1"},
               {"catalogEditor", "1"},
               {"createSubusers", "1"},
               {"editTips", "0"},
               {"editDiscounts", "0"},
               {"editSignature", "0"},
               {"editPromos", "0"},
               {"editClients", "1"},
               {"parentId", "17"}}),
         {},
         {"profileImage"}},
        {"sub-user state",
         Kind::Delegate,
         [&](APIController& c) {
             c.updateSubUserWithId("71", false, U, T, std::nullopt);
             return std::nullopt;
         },
         {},
         "POST",
         "/users/updateSubUserState.json",
         81,
         with({{"subUserId", "71"}, {"enabled", "0"}})},
        {"sub-user deletion to a new parent",
         Kind::Delegate,
         [&](APIController& c) {
             c.deleteSubUserWithId("71", U, T, QString("72"));
             return std::nullopt;
         },
         {},
         "POST",
         "/users/deleteSubUser.json",
         82,
         with({{"subUserId", "71"}, {"toParentId", "72"}})},
        {"sub-user transfer",
         Kind::Delegate,
         [&](APIController& c) {
             c.transferSubusersFromParentId("71", "72", U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/users/transferSubUser.json",
         83,
         with({{"fromParentId", "71"}, {"toParentId", "72"}})},
        {"buyers",
         Kind::Delegate,
         [&](APIController& c) {
             c.getBuyersForUserId(U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/buyers/getBuyers.json",
         84,
         user()},
        {"buyer by id",
         Kind::Delegate,
         [&](APIController& c) {
             c.getBuyersWithId("501", T);
             return std::nullopt;
         },
         {},
         "POST",
         "/buyers/getBuyers.json",
         84,
         {{"buyerId", "501"}, {"token", T}}},
        {"buyer",
         Kind::Delegate,
         [&](APIController& c) {
             c.saveBuyerWithId("501", " ana@example.com\t", "Ana Gomez", QImage(), "Mitre 50",
                               "Córdoba", "Córdoba", "5000", "1", "1990-05-01", "351555",
                               "30111222", "DNI", saleA, U, T, "true");
             return std::nullopt;
         },
         {},
         "POST",
         "/buyers/saveBuyer.json",
         85,
         with({{"buyerId", "501"},
               {"fullName", "Ana Gomez"},
               {"firstName", "Ana Gomez"},
               {"email", "ana@example.com\t"},
               {"address", "Mitre 50"},
               {"province", "Córdoba"},
               {"city", "Córdoba"},
               {"zipCode", "5000"},
               {"countryId", "1"},
               {"birthdate", "1990-05-01"},
               {"phone", "351555"},
               {"identificationNumber", "30111222"},
               {"identificationType", "DNI"},
               {"saleId", saleA},
               {"deleteImage", "true"}})},
        {"buyer deletion",
         Kind::Delegate,
         [&](APIController& c) {
             c.deleteBuyerWithId("501", U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/buyers/deleteBuyer.json",
         86,
         with({{"buyerId", "501"}})},
        {"countries",
         Kind::Delegate,
         [&](APIController& c) {
             c.getCountriesWithUserId(U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/buyers/getCountries.json",
         87,
         user()},
        {"buyer by document",
         Kind::Delegate,
         [&](APIController& c) {
             c.getBuyersWithPersonalId("30111222", T);
             return std::nullopt;
         },
         {},
         "POST",
         "/buyers/find",
         84,
         {{"dni", "30111222"}, {"token", T}}},
        {"feedback search",
         Kind::Delegate,
         [&](APIController& c) {
             c.getFeedbackWithUserId(U, T, "demora", 2);
             return std::nullopt;
         },
         {},
         "POST",
         "/feedback/getFeedback.json",
         88,
         with({{"search", "demora"}, {"page", "2"}})},
        {"feedback read",
         Kind::Delegate,
         [&](APIController& c) {
             c.setFeedbackReadState(true, "31", U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/feedback/saveFeedbackReadState.json",
         89,
         with({{"feedbackId", "31"}, {"read", "1"}})},
        {"feedback pages",
         Kind::Delegate,
         [&](APIController& c) {
             c.getFeedbacksWithToken(T, 3);
             return std::nullopt;
         },
         {},
         "GET",
         "/feedback",
         88,
         {},
         {{"page", "3"}, {"token", T}}},
        {"feedback messages",
         Kind::Delegate,
         [&](APIController& c) {
             c.getFeedbackMessagessWithId("31", T);
             return std::nullopt;
         },
         {},
         "GET",
         "/feedback/31/message",
         88,
         {},
         {{"token", T}}},
        {"feedback reply",
         Kind::Delegate,
         [&](APIController& c) {
             c.saveFeedbackReply("Gracias", "31", T);
             return std::nullopt;
         },
         {},
         "POST",
         "/feedback/31/message",
         90,
         {{"token", T}, {"message", "Gracias"}}},
        {"balance",
         Kind::Delegate,
         [&](APIController& c) {
             c.getBalanceForUserId(U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/account/getBalance.json",
         91,
         user()},
        {"bank accounts",
         Kind::Delegate,
         [&](APIController& c) {
             c.getBankAccountForUserId(U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/account/getBankAccounts.json",
         92,
         user()},
        {"cash-out",
         Kind::Delegate,
         [&](APIController& c) {
             c.makeCashoutOfAmount(100, U, T, "0110599520000001234567");
             return std::nullopt;
         },
         {},
         "POST",
         "/account/makeCashout.json",
         93,
         with({{"amount", "100.00"}, {"fullAccountNumber", "0110599520000001234567"}})},

        // ---- partner sign-up, recharges, services, deposits, reader, shop
        {"partner sign-up",
         Kind::Delegate,
         [&](APIController& c) {
             c.createUserWithData({{"email", "nuevo@example.com"},
                                   {"password", "Clave1234"},
                                   {"name", "Kiosco"},
                                   {"ruc", "20-1"},
                                   {"contactPhone", "1155"},
                                   {"agentPhone", "1166"}});
             return std::nullopt;
         },
         {},
         "POST",
         "/users/movila",
         16,
         {{"email", "nuevo@example.com"},
          {"password", "Clave1234"},
          {"name", "Kiosco"},
          {"ruc", "20-1"},
          {"phone", "1155"},
          {"agent_account_number", "1166"}}},
        {"partner PIN",
         Kind::Delegate,
         [&](APIController& c) {
             c.checkPinWithTokenSubsidiaryId(sandbox.state().userForToken(T)->pin, T, 4);
             return std::nullopt;
         },
         {},
         "POST",
         "/users/movila/pin.json",
         11,
         {{"token", T}, {"pin", sandbox.state().userForToken(T)->pin}, {"subsidiary_id", "4"}}},
        {"recharge balance",
         Kind::Delegate,
         [&](APIController& c) {
             c.rechargeBalanceForToken(T);
             return std::nullopt;
         },
         {},
         "POST",
         "/recharges/balance",
         107,
         {},
         {{"token", T}}},
        {"carriers",
         Kind::Delegate,
         [&](APIController& c) {
             c.getCarriersForToken(T);
             return std::nullopt;
         },
         {},
         "POST",
         "/recharges/companies",
         108,
         {},
         {{"token", T}}},
        {"phone recharge",
         Kind::Delegate,
         [&](APIController& c) {
             c.makeRechargeForCompany("movistar", here, "1155550000", "032", 50, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/recharges/companies/movistar/recharges",
         111,
         {{"latitude", "-34.600000"},
          {"longitude", "-58.380000"},
          {"phone", "1155550000"},
          {"currency", "032"},
          {"totalAmount", "50.000000"},
          {"token", T}}},
        {"service companies",
         Kind::Delegate,
         [&](APIController& c) {
             c.getCompaniesForToken(T);
             return std::nullopt;
         },
         {},
         "POST",
         "/services-payment/companies",
         110,
         {},
         {{"token", T}}},
        {"service bills",
         Kind::Delegate,
         [&](APIController& c) {
             c.getReceiptsForService("luz", "C-9", T);
             return std::nullopt;
         },
         {},
         "GET",
         "/services-payment/services/luz/items",
         109,
         {},
         {{"customerNumber", "C-9"}, {"token", T}}},
        {"service payment",
         Kind::Delegate,
         [&](APIController& c) {
             c.makePaymentForService("luz", here, "C-9", "RRN1", "f-1", "ref-1", "032", 320.5, 1.25,
                                     T);
             return std::nullopt;
         },
         {},
         "POST",
         "/services-payment/services/luz/payments",
         111,
         {{"retrievalReferenceNumber", "RRN1"},
          {"referenceId", "ref-1"},
          {"customerNumber", "C-9"},
          {"itemId", "f-1"},
          {"totalAmount", "320.500000"},
          {"feeAmount", "1.250000"},
          {"currency", "032"},
          {"latitude", "-34.600000"},
          {"longitude", "-58.380000"},
          {"token", T}}},
        {"deposits",
         Kind::Block,
         {},
         [&](auto ok, auto fail) {
             APIController::getDepositsWithStates(
                 {"PENDING", "DONE"}, 0, 20, T, [ok](const Response&) { ok(); }, fail);
         },
         "GET",
         "/deposits",
         0,
         {},
         {{"limit", "20"}, {"offset", "0"}, {"state", "PENDING,DONE"}, {"token", T}}},
        {"reader check",
         Kind::Delegate,
         [&](APIController& c) {
             c.readerCheckedWithToken(T, "Linux", "QPOS mini", true);
             return std::nullopt;
         },
         {},
         "POST",
         "/users/readers.json",
         94,
         {{"token", T},
          {"deviceOS", "Linux"},
          {"deviceModel", "QPOS mini"},
          {"deviceBuild", ""},
          {"success", "1"}}},
        {"reader choice",
         Kind::Delegate,
         [&](APIController& c) {
             c.selectReader("dspread_pinpad", U, T);
             return std::nullopt;
         },
         {},
         "POST",
         "/users/selectReader.json",
         95,
         with({{"selectedReader", "dspread_pinpad"}})},
        {"shop catalogue",
         Kind::Delegate,
         [&](APIController& c) {
             c.getBuyReadersDataWithToken(T);
             return std::nullopt;
         },
         {},
         "POST",
         "/sell/getFrontData.json",
         102,
         {{"token", T}}},
        {"wallet cards",
         Kind::Delegate,
         [&](APIController& c) {
             c.getWalletCardsWithToken(T);
             return std::nullopt;
         },
         {},
         "POST",
         "/sell/getBilleteraCards.json",
         104,
         {{"token", T}}},
        {"delivered order paid from the wallet",
         Kind::Delegate,
         [&](APIController& c) {
             c.buyReaderWithToken(T, order);
             return std::nullopt;
         },
         {},
         "POST",
         "/sell/setOrderData.json",
         103,
         {{"token", T},
          {"productData", R"(json:[{"id":11,"count":1},{"id":12,"count":2}])"},
          {"merchantId", "3"},
          {"fullname", "Ana Gomez"},
          {"document", "30111222"},
          {"billingStreet", "Corrientes"},
          {"billingStreetNumber", "1234"},
          {"billingExtraInfo", "3B"},
          {"billingCity", "C.A.B.A."},
          {"billingRegion", "C.A.B.A."},
          {"billingPostalCode", "1043"},
          {"phoneNumber", "1155550000"},
          {"installments", "6"},
          {"promotionId", "p-9"},
          {"realAmount", "2199.00"},
          {"street", "Mitre"},
          {"streetNumber", "50"},
          {"extraInfo", ""},
          {"region", "C.A.B.A."},
          {"city", "C.A.B.A."},
          {"postalCode", "1000"},
          {"billeteraId", "w-1"}}},
        {"picked-up order paid by card",
         Kind::Delegate,
         [&](APIController& c) {
             c.buyReaderWithToken(T, pickUpOrder);
             return std::nullopt;
         },
         {},
         "POST",
         "/sell/setOrderData.json",
         103,
         {{"token", T},
          {"productData", R"(json:[{"id":11,"count":1},{"id":12,"count":2}])"},
          {"merchantId", "3"},
          {"fullname", "Ana Gomez"},
          {"document", "30111222"},
          {"billingStreet", "Corrientes"},
          {"billingStreetNumber", "1234"},
          {"billingExtraInfo", "3B"},
          {"billingCity", "C.A.B.A."},
          {"billingRegion", "C.A.B.A."},
          {"billingPostalCode", "1043"},
          {"phoneNumber", "1155550000"},
          {"installments", "6"},
          {"promotionId", "p-9"},
          {"realAmount", "2199.00"},
          {"sucursalId", "s-1"},
          {"cardHolderName", "ANA GOMEZ"},
          {"cardHolderDocument", "30111222"},
          {"cardNumber", "4111"},
          {"expireDate", "2512"},
          {"securityCode", "123"}}},
        {"pick-up branches of a province",
         Kind::Delegate,
         [&](APIController& c) {
             c.getBuyReadersPickUpLocationsAtState("Córdoba", T);
             return std::nullopt;
         },
         {},
         "POST",
         "/sell/veloxaConsultarSucursales.json",
         101,
         {{"token", T}, {"provincia", "CORDOBA"}}},
        {"pick-up branches of the capital",
         Kind::Delegate,
         [&](APIController& c) {
             c.getBuyReadersPickUpLocationsAtState("Ciudad Autónoma de Buenos Aires", T);
             return std::nullopt;
         },
         {},
         "POST",
         "/sell/veloxaConsultarSucursales.json",
         101,
         {{"token", T}, {"localidad", "C.A.B.A."}}},
    };

    for (const Case& c : cases)
        run(c);
}
