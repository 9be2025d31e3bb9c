#include "api/APIConfiguration.h"
#include "api/APIController.h"
#include "api/APIControllerDelegate.h"
#include "platform/core/ServiceRegistry.h"
#include "support/SandboxFixture.h"
#include "support/TestSupport.h"
#include <TarvelloSDK/TarvelloSDK.h>

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <future>

namespace {

struct RecordingApiDelegate : APIControllerDelegate {
    int failures = 0;
    QList<QPair<int, QVariantMap>> answers;
    QList<QPair<int, QByteArray>> documents;
    void apiDidFailWithError(const TarvelloError&, int) override { ++failures; }
    bool apiDidFinishDownloadingWithDictionary(int code,
                                               const std::optional<QVariantMap>& d) override {
        answers << qMakePair(code, d.value_or(QVariantMap()));
        return true;
    }
    bool apiDidFinishDownloadingWithData(int code, const QByteArray& data) override {
        documents << qMakePair(code, data);
        return true;
    }
    int replies() const { return failures + int(answers.size() + documents.size()); }
};

class OperationRequestsTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto configuration = std::make_shared<APIConfiguration>();
        configuration->setBaseURL(sandbox.baseUrl());
        ASSERT_TRUE(configuration->addTrustedCAFile(sandbox.caFile()));
        Services::set<APIConfiguration>(configuration);
        TarvelloSDK::sharedSDK().startWithAPIKey(sandbox.apiKey());
        TarvelloSDK::sharedSDK().setUserToken(sandbox.merchantToken());
        token = sandbox.merchantToken();
        userId = QString::number(sandbox.state().userForToken(token)->userId);
    }
    void TearDown() override { Services::set<APIConfiguration>(nullptr); }

    // Sends one request and answers what the sandbox received.
    SandboxRequest send(const std::function<void(APIController&)>& request) {
        sandbox->clearRequests();
        delegate = RecordingApiDelegate();
        APIController client;
        client.setDelegate(&delegate);
        request(client);
        EXPECT_TRUE(waitUntil([&] { return delegate.replies() > 0; }));
        return sandbox->lastRequest();
    }

    SandboxFixture sandbox;
    RecordingApiDelegate delegate;
    QString token;
    QString userId;
};

TEST_F(OperationRequestsTest, FieldsOfEachRequest) {
    struct Case {
        const char* endpoint;
        int code;
        std::function<void(APIController&)> request;
        QList<QPair<QString, QString>> fields;
        QStringList absent;
    };
    const QString u = userId, t = token;
    const QDateTime evening(QDate(2026, 3, 9), QTime(23, 30));
    const Case cases[] = {
        {"/payments/savePersonalId.json",
         55,
         [&](APIController& c) { c.registerPersonalIdForSaleId("77", "DNI", "30111222", u, t); },
         {{"saleId", "77"},
          {"holderIdentificationType", "DNI"},
          {"holderIdentificationNumber", "30111222"}},
         {}},
        {"/payments/adjustTip.json",
         56,
         [&](APIController& c) { c.adjustTip(1.5, "77", u, t); },
         {{"saleId", "77"}, {"tipAmount", "1.5000"}},
         {}},
        {"/invoices/sendInvoice.json",
         57,
         [&](APIController& c) { c.sendInvoiceForSaleId("77", " \ta@b.example\n ", u, t, true); },
         {{"saleId", "77"}, {"email", "\ta@b.example\n"}, {"resend", "1"}},
         {}},
        {"/payments/operationCompletion.json",
         59,
         [&](APIController& c) { c.operationStatus(false, "91", u, t); },
         {{"operationId", "91"}, {"status", "0"}},
         {"emvTags"}},
        {"/payments/operationCompletion.json",
         59,
         [&](APIController& c) {
             c.operationStatusTrack(true, "91", "TRACK", "KSN1", std::nullopt, u, "timeout", t);
         },
         {{"operationId", "91"},
          {"track2data", "TRACK"},
          {"ksn", "KSN1"},
          {"status", "1"},
          {"annulmentReason", "timeout"}},
         {"emvTags"}},
        {"/sales/getSaleRecord.json",
         51,
         [&](APIController& c) { c.getSaleHistoryFromUserId(u, t, "3", "4", "café", -1); },
         {{"search", "café"}, {"page", "-1"}, {"subUserId", "3"}, {"buyerId", "4"}},
         {"start_date", "end_date"}},
        {"/sales/getSaleRecord.json",
         51,
         [&](APIController& c) {
             c.getSaleHistoryFromUserIdFromTo(u, t, "", "", evening, evening, "", 0);
         },
         {{"page", "0"}, {"start_date", "09/03/2026"}, {"end_date", "09/03/2026"}},
         {}},
        {"/sales/getSaleRecord.json",
         52,
         [&](APIController& c) { c.getSaleWithId(42, u, t); },
         {{"saleId", "42"}, {"operationId", "42"}},
         {}},
        {"/operations/getOperationInfo.json",
         52,
         [&](APIController& c) { c.getSaleInfo(42, u, t); },
         {{"operationId", "42"}, {"legacyResponse", "1"}},
         {"externalReference"}},
        {"/operations/getOperationInfo.json",
         52,
         [&](APIController& c) { c.getSaleInfoForExternalReference("R-1", u, t); },
         {{"externalReference", "R-1"}, {"legacyResponse", "1"}},
         {"operationId"}},
        {"/operations/summary",
         100,
         [&](APIController& c) { c.getSalesSummaryFrom(evening, evening.addDays(1), t); },
         {{"dateFrom", "2026-03-09"}, {"dateTo", "2026-03-10"}},
         {"userId"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.endpoint);
        const SandboxRequest request = send([&](APIController& client) {
            c.request(client);
            EXPECT_EQ(client.functionName(), c.code);
        });
        EXPECT_EQ(request.method, "POST");
        EXPECT_EQ(request.path, SandboxServer::apiPath(c.endpoint));
        EXPECT_EQ(request.field("token"), token);
        if (!c.absent.contains("userId")) {
            EXPECT_EQ(request.field("userId"), userId);
        }
        for (const auto& [name, value] : c.fields)
            EXPECT_EQ(request.field(name), value) << name.toStdString();
        for (const QString& name : c.absent)
            EXPECT_FALSE(request.fieldNames().contains(name)) << name.toStdString();
    }
}

TEST_F(OperationRequestsTest, SignatureGoesAsAPicture) {
    QImage signature(40, 20, QImage::Format_ARGB32);
    signature.fill(Qt::black);
    const SandboxRequest request = send(
        [&](APIController& c) { c.registerSignatureForSaleId("77", signature, userId, token); });
    EXPECT_EQ(request.path, SandboxServer::apiPath("/payments/saveSignatureImage.json"));
    EXPECT_EQ(request.field("saleId"), "77");
    const SandboxFile* file = request.file("signatureImage");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(QImage::fromData(file->content, "PNG").size(), signature.size());
}

TEST_F(OperationRequestsTest, StatusWithEmvTagsFromAWorkerThread) {
    APIController client;
    auto reply = std::async(std::launch::async, [&] {
        return client.operationStatusEmvTags(true, "91", QVariantMap(), userId, token);
    });
    ASSERT_TRUE(waitUntil(
        [&] { return reply.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
    EXPECT_TRUE(reply.get().has_value());
    const SandboxRequest request = sandbox->lastRequest();
    EXPECT_EQ(request.field("status"), "1");
    // An empty tag set is still sent, as the JSON text of an empty object.
    const QJsonDocument tags = QJsonDocument::fromJson(request.field("emvTags").toUtf8());
    EXPECT_TRUE(tags.isObject() && tags.object().isEmpty());

    const QVariantMap emv{{"9F26", "A1B2"}};
    send([&](APIController& c) {
        c.operationStatusTrack(true, "91", "T", "K", emv, userId, "", token);
    });
    EXPECT_EQ(QJsonDocument::fromJson(sandbox->lastRequest().field("emvTags").toUtf8())
                  .toVariant()
                  .toMap(),
              emv);
}

TEST_F(OperationRequestsTest, LookupAnswersArriveWrappedAndReceiptsAsBytes) {
    SandboxSale sale;
    sale.merchantId = sandbox.state().userForToken(token)->merchantId;
    sale.amount = 10;
    const qint64 id = sandbox.state().addSale(sale).id;
    send([&](APIController& c) { c.getSaleInfo(int(id), userId, token); });
    ASSERT_EQ(delegate.answers.size(), 1);
    EXPECT_EQ(delegate.answers.first().first, 52);
    const QVariantMap content = delegate.answers.first().second.value("content").toMap();
    EXPECT_EQ(content.value("success"), "OK");

    sandbox->scriptOnce("POST", SandboxServer::apiPath("/invoices/getToPrint.json"),
                        SandboxReply::ok({{"note", "json"}}));
    send([&](APIController& c) { c.printInvoiceForSaleId(QString::number(id), userId, token); });
    ASSERT_EQ(delegate.documents.size(), 1);
    EXPECT_EQ(delegate.documents.first().first, 58);
    EXPECT_EQ(QJsonDocument::fromJson(delegate.documents.first().second)
                  .toVariant()
                  .toMap()
                  .value("note"),
              "json");
}

} // namespace
