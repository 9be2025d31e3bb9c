#include "ModelFixture.h"
#include "SDK/session/User.h"
#include "api/APIConfiguration.h"
#include "api/SignatureQueue.h"
#include "model/Catalog.h"
#include "platform/core/DocumentsFolder.h"
#include "platform/core/ServiceRegistry.h"
#include "support/SandboxFixture.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

namespace {

// The model classes that reach the back end, against the sandbox over a real socket.
class BackEndTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        QLoggingCategory::setFilterRules(QStringLiteral("tarvello.api.info=false"));
        TarvelloSDK::sharedSDK().startWithAPIKey(sandbox.apiKey());
        TarvelloSDK::sharedSDK().setUserToken(sandbox.merchantToken());
        auto configuration = std::make_shared<APIConfiguration>();
        configuration->setBaseURL(sandbox.baseUrl());
        ASSERT_TRUE(configuration->addTrustedCAFile(sandbox.caFile()));
        Services::set<APIConfiguration>(configuration);
        token = sandbox.merchantToken();
        userId = QString::number(sandbox.state().userForToken(token)->userId);
        User::instance().setToken(token);
        User::instance().setUserId(userId);
        Services::set(std::make_shared<DocumentsFolder>(documents.path()));
    }
    void TearDown() override {
        Services::set<DocumentsFolder>(nullptr);
        User::instance().reset();
        Services::set<APIConfiguration>(nullptr);
        ModelTest::TearDown();
    }
    static QImage signature() {
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        return image;
    }
    QStringList files() const { return QDir(documents.path()).entryList(QDir::Files); }

    SandboxFixture sandbox;
    QTemporaryDir documents;
    QString token;
    QString userId;
    const QString uploadPath = QStringLiteral("/developers/api/payments/saveSignatureImage.json");
};

TEST_F(BackEndTest, CatalogLoadsFromTheBackEndWithoutBlocking) {
    Catalog catalog;
    std::optional<ProductList> products;
    bool done = false;
    catalog.loadProducts([&](const std::optional<ProductList>& list) {
        products = list;
        done = true;
    });
    EXPECT_FALSE(done); // the answer comes later, on the main thread
    // The worker sends with the key read when the request was made, whatever the host does next.
    TarvelloSDK::sharedSDK().setApiKey(QStringLiteral("changed-after-the-request"));
    ASSERT_TRUE(waitUntil([&] { return done; }));
    ASSERT_TRUE(products.has_value());
    ASSERT_EQ(products->size(), 3u);
    EXPECT_EQ(products->front()->name(), "Agua");
    EXPECT_EQ(products->front()->taxes().front()->amount()->doubleValue(), 2.40);
    const auto fetches = sandbox->requestsTo("/developers/api/inventories/getProducts.json");
    ASSERT_EQ(fetches.size(), 1);
    EXPECT_EQ(fetches.front().header("X-Authentication-ApiKey"), sandbox.apiKey().toUtf8());
    TarvelloSDK::sharedSDK().setApiKey(sandbox.apiKey());

    User::instance().setToken("not-a-token");
    Catalog refused;
    done = false;
    refused.loadCategories([&](const std::optional<CategoryList>& list) {
        EXPECT_FALSE(list.has_value());
        done = true;
    });
    ASSERT_TRUE(waitUntil([&] { return done; }));
    EXPECT_TRUE(refused.sessionExpired());
}

TEST_F(BackEndTest, SignaturesSurviveARestartAndGoOnlyAfterOK) {
    sandbox->scriptOnce("POST", uploadPath, SandboxReply::failure(500, "Error interno"));
    {
        SignatureQueue queue;
        queue.registerSignatureForSaleId("S1", signature(), userId, token);
        ASSERT_TRUE(waitUntil([&] { return !queue.sending(); }));
        EXPECT_EQ(queue.signatures().size(), 1);
        EXPECT_EQ(files().size(), 1);
    }
    EXPECT_EQ(sandbox->requestsTo(uploadPath).size(), 1);

    SignatureQueue restarted;
    ASSERT_EQ(restarted.signatures().size(), 1);
    EXPECT_EQ(restarted.signatures().front().toMap().value("saleId"), "S1");
    restarted.sendSignaturesWithUserId(userId, token);
    ASSERT_TRUE(waitUntil([&] { return !restarted.sending(); }));
    EXPECT_TRUE(restarted.signatures().isEmpty());
    EXPECT_TRUE(files().isEmpty());
    const auto uploads = sandbox->requestsTo(uploadPath);
    ASSERT_EQ(uploads.size(), 2);
    EXPECT_EQ(uploads.last().field("saleId"), "S1");
    EXPECT_NE(uploads.last().file("signatureImage"), nullptr);
    EXPECT_TRUE(SignatureQueue().signatures().isEmpty());
}

TEST_F(BackEndTest, ARunSendsOnlyItsOwnUsersSignaturesAndEndsOnAnExpiredSession) {
    SignatureQueue queue;
    queue.registerSignatureForSaleId("S1", signature(), userId, token);
    queue.registerSignatureForSaleId("OTHER", signature(), "999999", "other-token");
    ASSERT_TRUE(waitUntil([&] { return !queue.sending(); }));
    ASSERT_EQ(queue.signatures().size(), 1);
    EXPECT_EQ(queue.signatures().front().toMap().value("saleId"), "OTHER");
    for (const auto& upload : sandbox->requestsTo(uploadPath))
        EXPECT_EQ(upload.field("saleId"), "S1");

    // An expired session ends the run and keeps what was not sent.
    queue.sendSignaturesWithUserId("999999", "other-token");
    ASSERT_TRUE(waitUntil([&] { return !queue.sending(); }));
    EXPECT_EQ(queue.signatures().size(), 1);
    EXPECT_EQ(files().size(), 1);
}

} // namespace
