#include "api/BackEndCatalogSource.h"

#include "api/APIController.h"
#include "api/HostCredentials.h"
#include "platform/core/Worker.h"

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
    // The key is read here, when the request is made; the worker only gets copies.
    const std::optional<QString> apiKey = HostCredentials::apiKey();
    Worker::run(
        [path, fields, apiKey]() {
            APIController client;
            client.setApiKey(apiKey);
            return client.loadSynchronousUrl(path, fields);
        },
        [completion](const std::optional<QByteArray>& answer) { completion(answer); });
}
