#include "api/APIController.h"
#include "api/FunctionCode.h"
#include "platform/core/DocumentsFolder.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/ui/TableView.h"
#include "shop/BuyReaderStartController.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QImage>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const QStringList kPictures = {"reader-pro.png", "reader-mini.png", "reader-bt.png",
                               "reader-chip.png"};

// A reader on sale with the twelve keys; every twentieth one lacks "weight" and every
// twenty-fifth has a null "battery", so the filter has work to do.
QVariantMap shopProduct(int i) {
    QVariantMap product{
        {"id", i + 1},
        {"name", QStringLiteral("Lector %1").arg(i + 1)},
        {"type", i % 2},
        {"price", i % 3 == 0 ? 1499.5 : 1500.0 + i},
        {"descriptionShort", QStringLiteral("Chip, banda y contactless")},
        {"description", QStringLiteral("Lector de tarjetas de crédito y débito. Cobrá en "
                                       "cualquier lugar con tu teléfono.")},
        {"dimensions", QStringLiteral("10 x 6 x 1,5 cm")},
        {"weight", QStringLiteral("120 g")},
        {"battery", QStringLiteral("500 ventas por carga")},
        {"connectivity", i % 2 ? QStringLiteral("Bluetooth") : QStringLiteral("Audio")},
        {"cardsText", QStringLiteral("Visa, Mastercard, American Express, Cabal")},
        {"images",
         QVariantList{QVariantMap{{"original", QStringLiteral("https://127.0.0.1:1/images/") +
                                                   kPictures.at(i % kPictures.size())}}}}};
    if (i % 20 == 19)
        product.remove(QStringLiteral("weight"));
    if (i % 25 == 24)
        product.insert(QStringLiteral("battery"), QVariant::fromValue(nullptr));
    return product;
}

QByteArray catalogueAnswer(int count) {
    QVariantList products;
    for (int i = 0; i < count; ++i)
        products << shopProduct(i);
    return QJsonDocument::fromVariant(QVariantMap{{"success", "OK"}, {"products", products}})
        .toJson(QJsonDocument::Compact);
}

// Lets the pictures come out of the cache and the replaced rows go.
void drainShopEvents() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace

// The catalogue's answer of 200 products, parsed by the client, filtered by the screen and its
// table filled (the pictures come from the Documents folder, so no network is involved).
static void BM_ShopCatalogueAnswer200(benchmark::State& state) {
    QTemporaryDir documents;
    Services::set(std::make_shared<DocumentsFolder>(documents.path()));
    QImage picture(96, 96, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    for (const QString& name : kPictures)
        picture.save(QDir(documents.path()).filePath(name), "PNG");
    const QByteArray answer = catalogueAnswer(200);
    {
        BuyReaderStartController catalogue;
        catalogue.view()->resize(375, 667);
        APIController client;
        client.setDelegate(&catalogue);
        client.setFunctionName(FunctionCode::GetFrontData);
        for (auto _ : state) {
            client.setReceivedData(answer);
            client.connectionDidFinishLoading(
                QStringLiteral("https://127.0.0.1:1/sell/getFrontData.json"), QByteArray());
            state.PauseTiming();
            drainShopEvents();
            state.ResumeTiming();
        }
        if (!catalogue.readers() || catalogue.readers()->size() != 184)
            state.SkipWithError("the catalogue did not keep the complete products");
        state.counters["kept"] = catalogue.readers() ? double(catalogue.readers()->size()) : 0;
    }
    drainShopEvents();
    Services::set<DocumentsFolder>(nullptr);
}
BENCHMARK(BM_ShopCatalogueAnswer200)->Unit(benchmark::kMillisecond);
