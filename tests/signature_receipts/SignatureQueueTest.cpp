#include "api/SignatureQueue.h"
#include "SignatureReceiptFixture.h"

namespace {

class SignatureQueueOrderTest : public SignatureReceiptTest {
protected:
    static QImage picture(int width) {
        QImage image(width, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        return image;
    }
    QString path() const { return SandboxServer::apiPath("/payments/saveSignatureImage.json"); }
    int files() const { return int(QDir(documents.path()).entryList(QDir::Files).size()); }
};

TEST_F(SignatureQueueOrderTest, ANewSignatureGoesFirstAndASaleAgainReplacesItsPicture) {
    SignatureQueue queue;
    QList<QPair<QString, SignatureQueue::Outcome>> outcomes;
    QObject::connect(&queue, &SignatureQueue::signatureFinished,
                     [&](const QString& saleId, SignatureQueue::Outcome outcome, const QString&) {
                         outcomes << qMakePair(saleId, outcome);
                     });
    sandbox->script("POST", path(), SandboxReply::failure(9, "Fuera de servicio"));
    for (const char* sale : {"A", "B", "A"}) {
        queue.registerSignatureForSaleId(sale, picture(40), userId, token);
        ASSERT_TRUE(settle([&] { return !queue.sending(); }));
    }
    EXPECT_EQ(queue.signatures().size(), 2); // A replaced, not added
    EXPECT_EQ(files(), 2);
    // Each run sends every stored entry of the user: 1 + 2 + 2 answers, all refusals.
    ASSERT_EQ(outcomes.size(), 5);
    for (const auto& outcome : outcomes)
        EXPECT_EQ(outcome.second, SignatureQueue::Outcome::Refused);

    sandbox->clearScripts();
    sandbox->clearRequests();
    queue.registerSignatureForSaleId("C", picture(60), userId, token);
    ASSERT_TRUE(settle([&] { return !queue.sending(); }));
    QStringList order;
    for (const SandboxRequest& upload : sandbox->requestsTo(path()))
        order << upload.field("saleId");
    EXPECT_EQ(order, QStringList({"C", "A", "B"}));
    EXPECT_TRUE(queue.signatures().isEmpty());
    EXPECT_EQ(files(), 0);
    EXPECT_EQ(outcomes.size(), 8);
    EXPECT_EQ(outcomes.last().second, SignatureQueue::Outcome::Accepted);
}

} // namespace
