#pragma once

#include "model/CatalogSource.h"

// The catalog's lists from the back end ("/inventories/getCategories.json",
// "/inventories/getProducts.json"): a synchronous request on a worker, the answer handed back on
// the main thread. The default catalog source.
class BackEndCatalogSource : public CatalogSource {
public:
    void fetchCategories(const QString& userId, const QString& token,
                         Completion completion) override;
    void fetchProducts(const QString& userId, const QString& token, Completion completion) override;

private:
    static void send(const QString& path, const QString& userId, const QString& token,
                     Completion completion);
};
