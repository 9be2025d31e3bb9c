#include "EndpointSupport.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>

namespace {

class EndpointBehaviourTest : public EndpointTest {};

} // namespace

TEST_F(EndpointBehaviourTest, ChipSaleWaitsOffTheMainThreadWhileTheMainThreadKeepsWorking) {
    // The reply comes late; the sandbox itself answers on the main thread, so the sale only
    // completes if the main thread keeps running while the request waits.
    sandbox->script("POST", SandboxServer::apiPath("/payments/savePayment.json"),
                    SandboxReply::ok({{"saleId", 42}}).withDelay(400));
    auto sale = cardSale("nfc_emv");
    std::atomic<bool> returned{false};
    Qt::HANDLE senderThread = nullptr;
    std::optional<QByteArray> reply;
    RecordingDelegate delegate;
    QThread* worker = QThread::create([&] {
        senderThread = QThread::currentThreadId();
        APIController client;
        client.setDelegate(&delegate);
        reply = client.registerSale(*sale, userId, token);
        returned = true;
    });
    bool mainRanWhileWaiting = false;
    QTimer::singleShot(100, [&] { mainRanWhileWaiting = !returned; });
    worker->start();
    ASSERT_TRUE(waitUntil([&] { return worker->isFinished(); }));
    delete worker;

    EXPECT_TRUE(mainRanWhileWaiting);
    EXPECT_NE(senderThread, QThread::currentThreadId());
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(QJsonDocument::fromJson(*reply).object().value("saleId").toInt(), 42);
    EXPECT_FALSE(delegate.done); // the bytes go to the caller, not to a delegate
    EXPECT_EQ(sandbox->requests().size(), 1);
}

TEST_F(EndpointBehaviourTest, SynchronousFormIsNeverSentFromTheMainThread) {
    auto sale = cardSale("emv");
    APIController client;
    EXPECT_FALSE(client.registerSale(*sale, userId, token).has_value());
    EXPECT_FALSE(client.makeAnnulationForSale(*sale, userId, token).has_value());
    EXPECT_FALSE(client.getProductsForUserId(userId, token).has_value());
    QCoreApplication::processEvents();
    EXPECT_TRUE(sandbox->requests().isEmpty());
}

TEST_F(EndpointBehaviourTest, EachLinePictureTravelsUnderItsOwnUploadKey) {
    auto sale = sampleSale();
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::green);
    for (int i = 0; i < 2; ++i) {
        auto item = Item::init();
        item->product()->setName(QStringLiteral("Foto %1").arg(i));
        item->product()->setImage(picture);
        sale->itemList()->push_back(item);
    }
    RecordingDelegate delegate;
    APIController client;
    client.setDelegate(&delegate);
    client.registerSale(*sale, userId, token);
    ASSERT_TRUE(waitUntil([&] { return delegate.done; }));

    const SandboxRequest request = sandbox->lastRequest();
    const QJsonArray lines = QJsonDocument::fromJson(request.field("saleInformationJson").toUtf8())
                                 .object()
                                 .value("items")
                                 .toArray();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].toObject().value("imageKeyForUpload").toString(), "");
    const QString first = lines[1].toObject().value("imageKeyForUpload").toString();
    const QString second = lines[2].toObject().value("imageKeyForUpload").toString();
    const QRegularExpression uuid("^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$");
    EXPECT_TRUE(uuid.match(first).hasMatch()) << first.toStdString();
    EXPECT_NE(first, second);
    QStringList parts;
    for (const SandboxFile& file : request.files) {
        parts << file.field;
        EXPECT_EQ(file.contentType, "image/png");
    }
    parts.sort();
    QStringList keys{first, second};
    keys.sort();
    EXPECT_EQ(parts, keys);
}

TEST_F(EndpointBehaviourTest, RefusalsReachTheCaller) {
    struct Refusal {
        const char* name;
        std::function<void(APIController&)> call;
        int code;
        int responseCode; // the refusal's "response" code; 0: the session is reported expired
    };
    const QString sold = recordedSaleId();
    const QList<Refusal> refusals{
        {"unknown token", [&](APIController& c) { c.getBuyersForUserId(userId, "bad-token"); }, 84,
         0},
        {"void of an unknown operation",
         [&](APIController& c) { c.cancelOperationWithId("999999", userId, token, "", "cash"); },
         45, 404},
        {"second refund of one sale",
         [&](APIController& c) {
             c.makePartialRefundForSale({{"saleId", sold}}, 5, userId, token);
         },
         49, 1203},
        {"cash-out above the balance",
         [&](APIController& c) { c.makeCashoutOfAmount(1500.01, userId, token, "011"); }, 93, 400},
    };
    // The sale is refunded once so that the next refund of it is refused.
    {
        RecordingDelegate first;
        APIController client;
        client.setDelegate(&first);
        client.makePartialRefundForSale({{"saleId", sold}}, 5, userId, token);
        ASSERT_TRUE(waitUntil([&] { return first.done; }));
    }
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.name);
        RecordingDelegate delegate;
        APIController client;
        client.setDelegate(&delegate);
        refusal.call(client);
        ASSERT_TRUE(waitUntil([&] { return delegate.done; }));
        if (refusal.responseCode == 0) {
            EXPECT_TRUE(delegate.expiredMessage.has_value());
            continue;
        }
        ASSERT_TRUE(delegate.dictionary.has_value());
        EXPECT_EQ(delegate.code, refusal.code);
        EXPECT_NE(delegate.dictionary->value("success").toString(), "OK");
        EXPECT_EQ(delegate.dictionary->value("response").toMap().value("code").toInt(),
                  refusal.responseCode);
    }

    // Block-style: the failure callback gets the back end's code and message.
    std::optional<TarvelloError> failed;
    APIController::getOperationWithIdentifier(
        "999999", [](const Response&) {}, [&](const TarvelloError& error) { failed = error; });
    ASSERT_TRUE(waitUntil([&] { return failed.has_value(); }));
    EXPECT_EQ(failed->code, 404);
    EXPECT_EQ(failed->description, QStringLiteral("La operación no existe"));
}

TEST_F(EndpointBehaviourTest, OrderMissingAnEntryIsRefusedWithoutSending) {
    const QVariantMap order{{"items", QVariantList{}},
                            {"billingAddress", QVariantMap{{"firstName", "Ana"}}},
                            {"payments", "1"},
                            {"promotionId", ""},
                            {"realAmount", "1"},
                            {"shipping", QVariantMap{{"method", "pickup"}, {"pickUpId", "s"}}},
                            {"payment", QVariantMap{{"method", "wallet"}, {"walletId", "w"}}}};
    RecordingDelegate delegate;
    APIController client;
    client.setDelegate(&delegate);
    client.buyReaderWithToken(token, order);
    ASSERT_TRUE(waitUntil([&] { return delegate.done; }));
    ASSERT_TRUE(delegate.failure.has_value());
    EXPECT_EQ(delegate.code, 103);
    EXPECT_TRUE(delegate.failure->description.contains("billingAddress.lastName"))
        << delegate.failure->description.toStdString();
    EXPECT_TRUE(sandbox->requests().isEmpty());
}

TEST_F(EndpointBehaviourTest, ProvinceNamesFoldToPlainUpperCaseAscii) {
    EXPECT_EQ(APIController::foldedProvinceName("Córdoba"), "CORDOBA");
    EXPECT_EQ(APIController::foldedProvinceName("Tucumán"), "TUCUMAN");
    EXPECT_EQ(APIController::foldedProvinceName("Neuquén"), "NEUQUEN");
    EXPECT_EQ(APIController::foldedProvinceName("Entre Ríos"), "ENTRE RIOS");
    EXPECT_EQ(APIController::foldedProvinceName("Ñandú"), "NANDU");
    // Not the capital unless spelled exactly: folded like any province.
    EXPECT_EQ(APIController::foldedProvinceName("ciudad autónoma de buenos aires"),
              "CIUDAD AUTONOMA DE BUENOS AIRES");
}

TEST_F(EndpointBehaviourTest, ASaleRegistrationWhoseConnectionDropsIsSentOnce) {
    // The back end may have taken it: sending it again could charge twice.
    sandbox->script("POST", SandboxServer::apiPath("/payments/savePayment.json"),
                    SandboxReply::dropped());
    auto sale = cardSale("nfc_emv");
    std::optional<QByteArray> reply = QByteArray("untouched");
    QThread* worker =
        QThread::create([&] { reply = APIController().registerSale(*sale, userId, token); });
    worker->start();
    ASSERT_TRUE(waitUntil([&] { return worker->isFinished(); }));
    delete worker;
    QTest::qWait(100);
    EXPECT_FALSE(reply.has_value());
    EXPECT_EQ(sandbox->requests().size(), 1);
}
