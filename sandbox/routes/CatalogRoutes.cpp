// The merchant's catalog (categories and products).

#include "sandbox/SandboxRoutes.h"

SANDBOX_ROUTE("POST", "/developers/api/inventories/getCategories.json") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    const QVariantList data{
        QVariantMap{{"categoryId", 1},
                    {"categoryName", "Bebidas"},
                    {"categoryDescription", ""},
                    {"parentCategoryId", QVariant::fromValue(nullptr)},
                    {"productsQuantity", 2}},
        QVariantMap{{"categoryId", 2},
                    {"categoryName", "Cafés"},
                    {"categoryDescription", "Calientes"},
                    {"parentCategoryId", 1},
                    {"productsQuantity", 1}},
        QVariantMap{{"categoryId", 3},
                    {"categoryName", "Postres"},
                    {"categoryDescription", ""},
                    {"parentCategoryId", QVariant::fromValue(nullptr)},
                    {"productsQuantity", 1}},
    };
    return SandboxReply::ok({{QStringLiteral("data"), data}});
}

SANDBOX_ROUTE("POST", "/developers/api/inventories/getProducts.json") {
    SandboxUser* user = nullptr;
    if (auto refusal = state.checkSession(request, &user))
        return *refusal;
    const QVariantList iva{QVariantMap{{"name", "IVA"}, {"amount", 0.16}}};
    const QVariantList data{
        QVariantMap{{"productId", 11},
                    {"productName", "Agua"},
                    {"productPrice", 15},
                    {"currencyCode", 484},
                    {"categoryId", 1},
                    {"categoryName", "Bebidas"},
                    {"taxes", iva},
                    {"backgroundColor", "0A6ECD"}},
        QVariantMap{{"productId", 12},
                    {"productName", "Café americano"},
                    {"productPrice", "38.50"},
                    {"currencyCode", 484},
                    {"categoryId", 2},
                    {"categoryName", "Cafés"},
                    {"taxes", iva}},
        QVariantMap{{"productId", 13},
                    {"productName", "Pastel"},
                    {"productPrice", 65},
                    {"currencyCode", 484},
                    {"categoryId", 3},
                    {"categoryName", "Postres"},
                    {"taxes", QVariantList{}}},
    };
    return SandboxReply::ok({{QStringLiteral("data"), data}});
}
