#include "BenchSandbox.h"
#include "api/APIConfiguration.h"
#include "api/APIController.h"
#include "api/APIControllerDelegate.h"
#include "api/LogRedaction.h"
#include "platform/core/ServiceRegistry.h"

#include "sandbox/SandboxServer.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include <QCoreApplication>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QVariantMap typicalFields() {
    return {{"userId", "1742"},
            {"token", "3f1c9a7be2d84c55a0f1"},
            {"saleInformationJson", QString(1500, u'x')},
            {"currency", "484"},
            {"latitude", "19.432608"},
            {"longitude", "-99.133209"},
            {"paymentMethod", "card"},
            {"totalAmount", 125.5},
            {"installments", 3},
            {"isFallback", false}};
}

class CountingDelegate : public APIControllerDelegate {
public:
    void apiDidFailWithError(const TarvelloError&, int) override {}
    bool apiDidFinishDownloadingWithDictionary(int,
                                               const std::optional<QVariantMap>& answer) override {
        delivered += answer ? 1 : 0;
        return true;
    }
    int delivered = 0;
};

} // namespace

static void BM_MultipartBody(benchmark::State& state) {
    const QVariantMap fields = typicalFields();
    for (auto _ : state)
        benchmark::DoNotOptimize(APIController::bodyFromDictionary(fields));
}
BENCHMARK(BM_MultipartBody);

static void BM_MultipartBodyWithImage(benchmark::State& state) {
    QImage signature(600, 300, QImage::Format_ARGB32);
    signature.fill(Qt::white);
    QVariantMap fields = typicalFields();
    fields.insert("signature", signature);
    for (auto _ : state)
        benchmark::DoNotOptimize(APIController::bodyFromDictionary(fields));
}
BENCHMARK(BM_MultipartBodyWithImage);

// Appending entries of a typical size to a log that is full, so every append also trims.
static void BM_RequestLogAppendAndTrim(benchmark::State& state) {
    const QString url = "https://api.tarvello.example/developers/api/payments/savePayment.json";
    const QString body = QString::fromUtf8(*APIController::bodyFromDictionary(typicalFields()));
    const QString reply = QString(R"({"success":"OK","data":{"saleId":"88123"}})").repeated(20);
    for (int i = 0; i < 500; ++i)
        APIController::logRequest(url, body, reply);
    for (auto _ : state)
        APIController::logRequest(url, body, reply);
}
BENCHMARK(BM_RequestLogAppendAndTrim);

static void BM_RedactMultipartBody(benchmark::State& state) {
    QVariantMap fields = typicalFields();
    fields.insert("cardNumber", "4761739001010119");
    fields.insert("pinBlock", "8D3F2A10B7C9E455");
    const QString body = QString::fromUtf8(*APIController::bodyFromDictionary(fields));
    for (auto _ : state)
        benchmark::DoNotOptimize(LogRedaction::redact(body));
}
BENCHMARK(BM_RedactMultipartBody);

// Routing a typical reply: parse, session test, delivery, log entry.
static void BM_ReplyRouting(benchmark::State& state) {
    CountingDelegate delegate;
    APIController client;
    client.setDelegate(&delegate);
    client.setFunctionName(53);
    const QByteArray reply =
        R"({"success":"OK","data":{"saleId":"88123","authorizationCode":"A1B2C3"},)"
        R"("sdk":{"operationId":"88123","amount":"125.50","installments":3}})";
    for (auto _ : state) {
        client.setReceivedData(reply);
        client.connectionDidFinishLoading("https://api.tarvello.example/developers/api/x",
                                          QByteArray());
    }
    benchmark::DoNotOptimize(delegate.delivered);
}
BENCHMARK(BM_ReplyRouting);

// Building and sending a typical POST to the sandbox on loopback, answer routed to a delegate.
static void BM_PostOnLoopback(benchmark::State& state) {
    QTemporaryDir dir;
    SandboxServer sandbox;
    if (!startBenchSandbox(state, sandbox, dir.path()))
        return;
    TarvelloSDK::sharedSDK().startWithAPIKey(sandbox.state().defaultApiKey());
    TarvelloSDK::sharedSDK().setUserToken(sandbox.state().defaultToken());
    const QString token = sandbox.state().defaultToken();
    CountingDelegate delegate;
    for (auto _ : state) {
        const int before = delegate.delivered;
        APIController client;
        client.setDelegate(&delegate);
        client.updateCatalogEnabled(true, "17", token);
        while (delegate.delivered == before)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    sandbox.stop();
    Services::set<APIConfiguration>(nullptr);
}
BENCHMARK(BM_PostOnLoopback)->Unit(benchmark::kMicrosecond);
