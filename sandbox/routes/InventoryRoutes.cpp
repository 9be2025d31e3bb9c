// Catalog edits and favourites, discounts and private installment plans (the category and
// product lists are answered with the catalog).

#include "sandbox/routes/EndpointRoutes.h"

using namespace EndpointRoutes;

namespace {

// A saved record answers its id: the one sent, or a new one.
Answer savedWithId(const QString& idField) {
    return [idField](const SandboxRequest& request, SandboxState& state, SandboxUser*) {
        const QString sent = request.field(idField);
        const QVariant id = sent.isEmpty() ? QVariant(state.nextId()) : QVariant(sent);
        return SandboxReply::ok({{"data", QVariantMap{{idField, id}}}});
    };
}

const bool registered = [] {
    add("POST", "/inventories/saveCategory.json", Caller::Session,
        {"categoryName", "categoryDescription", "parentCategoryId"}, savedWithId("categoryId"));
    add("POST", "/inventories/deleteCategory.json", Caller::Session,
        {"categoryId", "deleteContent"}, okWith({}));
    add("POST", "/inventories/saveProduct.json", Caller::Session,
        {"productName", "productPrice", "taxes", "currencyCode", "categoryId"},
        savedWithId("productId"));
    add("POST", "/inventories/saveFavorite.json", Caller::Session, {"favoriteId", "position"},
        okWith({}));
    add("POST", "/inventories/deleteProduct.json", Caller::Session, {"productIds"}, okWith({}));
    add("POST", "/inventories/deleteFavorite.json", Caller::Session, {"favoriteIds"}, okWith({}));
    add("POST", "/inventories/assignCategoryToProducts.json", Caller::Session,
        {"productIds", "categoryId"}, okWith({}));
    add("POST", "/discounts/getDiscounts.json", Caller::Session, {},
        okWith({{"data", QVariantList{QVariantMap{{"discountId", 1},
                                                  {"name", "Promo"},
                                                  {"discountPercentage", "10.00"},
                                                  {"discountAmount", "0.00"}}}}}));
    add("POST", "/discounts/saveDiscount.json", Caller::Session,
        {"name", "discountPercentage", "discountAmount"}, savedWithId("discountId"));
    add("POST", "/discounts/deleteDiscount.json", Caller::Session, {"discountIds"}, okWith({}));
    add("POST", "/installments/setPrivateInstallmentsOrder.json", Caller::Session,
        {"installmentsOrder"}, okWith({}));
    add("POST", "/installments/savePrivateInstallment.json", Caller::Session,
        {"installmentId", "issuerName", "enabled", "installments"}, savedWithId("installmentId"));
    add("POST", "/installments/deletePrivateInstallment.json", Caller::Session, {"installmentId"},
        okWith({}));
    return true;
}();

} // namespace
