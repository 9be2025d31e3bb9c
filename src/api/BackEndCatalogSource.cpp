#include "api/BackEndCatalogSource.h"

#include "api/APIController.h"
#include "platform/core/MainThread.h"

#include <QThread>

void BackEndCatalogSource::fetchCategories(const QString& userId, const QString& token,
                                           Completion completion) {
    send(QStringLiteral("/inventories/getCategories.json"), userId, token, std::move(completion));
}

void BackEndCatalogSource::fetchProducts(const QString& userId, const QString& token,
                                         Completion completion) {
    send(QStringLiteral("/inventories/getProducts.json"), userId, token, std::move(completion));
}

void BackEndCatalogSource::send(const QString& path, const QString& userId, const QString& token,
                                Completion completion) {
    const QVariantMap fields{{QStringLiteral("userId"), userId}, {QStringLiteral("token"), token}};
    QThread* worker = QThread::create([path, fields, completion]() {
        APIController client;
        const std::optional<QByteArray> answer = client.loadSynchronousUrl(path, fields);
        MainThread::post([completion, answer] { completion(answer); });
    });
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    worker->start();
}
