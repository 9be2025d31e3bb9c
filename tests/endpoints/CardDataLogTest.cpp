#include "EndpointSupport.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QThread>

namespace {

class CardDataLogTest : public EndpointTest {};

} // namespace

TEST_F(CardDataLogTest, ASaleAndAConversionCheckLogNoCardSecret) {
    const QStringList secrets{"KSNtrack2990011", "KSNpin770044", "TRXtok3n88",      "APPdata4F5531",
                              "ENCcard662211",   "KSNdcc551100", "4111111111111111"};
    auto sale = cardSale("emv");
    sale->creditCard()->setTrack2KSN(secrets[0]);
    sale->creditCard()->setPinKSN(secrets[1]);
    sale->setSecurityToken(secrets[2]);
    sale->creditCard()->setEmvApp(QByteArray(R"({"4F":"APPdata4F5531"})"));
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    sale->items().front()->product()->setImage(picture);

    ConsoleLines console;
    bool saleDone = false;
    APIController::performSale(
        *sale, [&](SalePtr) { saleDone = true; }, [&](const TarvelloError&) { saleDone = true; });
    ASSERT_TRUE(waitUntil([&] { return saleDone; }));
    // What went out carried them: only the logs must not.
    const SandboxRequest sent = sandbox->lastRequest();
    EXPECT_EQ(sent.field("ksn"), secrets[0]);
    EXPECT_EQ(sent.field("transactionToken"), secrets[2]);

    bool checkDone = false;
    APIController::dccVerificationForCardEncryptedData(
        secrets[4], secrets[5], "chip", "1", "411111", 10.5, 0, 0, "SN1",
        [&](const Response&) { checkDone = true; },
        [&](const TarvelloError&) { checkDone = true; });
    ASSERT_TRUE(waitUntil([&] { return checkDone; }));

    // A registration with a picture, as the delegate-style body gives it.
    RecordingDelegate delegate;
    APIController client;
    client.setDelegate(&delegate);
    auto pictured = sampleSale();
    pictured->items().front()->product()->setImage(picture);
    client.registerSale(*pictured, userId, token);
    ASSERT_TRUE(waitUntil([&] { return delegate.done; }));

    QStringList texts = ConsoleLines::lines();
    ASSERT_FALSE(texts.isEmpty());
    for (const QVariant& entry : APIController::getRequestLog())
        for (const char* key : {"host", "body", "response"})
            texts << entry.toMap().value(key).toString();
    for (const QString& text : texts) {
        for (const QString& secret : secrets)
            EXPECT_FALSE(text.contains(secret))
                << secret.toStdString() << " in: " << text.toStdString();
        EXPECT_FALSE(text.contains("\x89PNG")) << "picture bytes in: " << text.toStdString();
    }
    EXPECT_TRUE(ConsoleLines::contains("<<IMAGE>>"));
}

TEST_F(CardDataLogTest, APercentageKeepsPrintfsTwoDecimals) {
    // 0.125 is exact in binary: printf rounds it to even, the cents helper would give 0.13.
    RecordingDelegate delegate;
    APIController client;
    client.setDelegate(&delegate);
    client.saveDiscountWithName("Promo", 0.125, 0, 0, userId, token);
    ASSERT_TRUE(waitUntil([&] { return delegate.done; }));
    EXPECT_EQ(sandbox->lastRequest().field("discountPercentage"), "0.12");

    auto sale = sampleSale();
    sale->discounts().front()->setPercentage(0.125);
    const QVariantMap fields = sale->requestData();
    const QJsonObject description =
        QJsonDocument::fromJson(fields.value("saleInformationJson").toString().toUtf8()).object();
    EXPECT_EQ(
        description.value("discounts").toArray().first().toObject().value("discountPercentage"),
        "0.12");
}
