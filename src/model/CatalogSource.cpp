#include "model/CatalogSource.h"

#include "api/APIController.h"
#include "platform/core/MainThread.h"

#include <QCoreApplication>
#include <QThread>

namespace {
// Sends one multipart request on a worker thread and hands the answer to the main thread.
class BackEndCatalogSource : public CatalogSource {
public:
    void fetchCategories(const QString& userId, const QString& token,
                         Completion completion) override {
        send(QStringLiteral("/inventories/getCategories.json"), userId, token,
             std::move(completion));
    }
    void fetchProducts(const QString& userId, const QString& token,
                       Completion completion) override {
        send(QStringLiteral("/inventories/getProducts.json"), userId, token, std::move(completion));
    }

private:
    static void send(const QString& path, const QString& userId, const QString& token,
                     Completion completion) {
        const QVariantMap fields{{QStringLiteral("userId"), userId},
                                 {QStringLiteral("token"), token}};
        QThread* worker = QThread::create([path, fields, completion]() {
            APIController client;
            const std::optional<QByteArray> answer = client.loadSynchronousUrl(path, fields);
            MainThread::post([completion, answer] { completion(answer); });
        });
        QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
        worker->start();
    }
};
} // namespace

std::shared_ptr<CatalogSource> CatalogSource::backEnd() {
    return std::make_shared<BackEndCatalogSource>();
}
