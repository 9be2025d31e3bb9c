#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

// Where the catalog's lists come from: the back end's category and product requests, sent off
// the main thread, their raw answers handed back on the main thread (none when the connection
// failed). The source in force is a service (BackEndCatalogSource by default); tests and the
// demo install their own through Services.
class CatalogSource {
public:
    virtual ~CatalogSource() = default;

    using Completion = std::function<void(const std::optional<QByteArray>& answer)>;
    virtual void fetchCategories(const QString& userId, const QString& token,
                                 Completion completion) = 0;
    virtual void fetchProducts(const QString& userId, const QString& token,
                               Completion completion) = 0;
};
