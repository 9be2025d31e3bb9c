// Catalog, discount and private installment requests.
#include "api/APIController+Fields.h"
#include "api/APIController.h"
#include "model/Tax.h"

using namespace EndpointFields;

namespace {

// The product's taxes as a JSON list of {"name", "amount"} with the amount as "%.4lf" text.
QString taxListJson(const TaxList& taxes) {
    QVariantList list;
    for (const TaxPtr& tax : taxes) {
        if (!tax)
            continue;
        const double amount = tax->amount() ? tax->amount()->doubleValue() : 0;
        list << QVariantMap{{"name", tax->name()}, {"amount", fourDecimals(amount)}};
    }
    return compactJson(list);
}

} // namespace

void APIController::saveCategoryWithName(const QString& name, const QString& description,
                                         const QString& categoryOwnerId,
                                         const std::optional<QString>& categoryId,
                                         const QString& userId, const QString& token) {
    setFunctionName(66);
    QVariantMap fields = userFields(userId, token);
    fields.insert("categoryName", name);
    fields.insert("categoryDescription", description);
    fields.insert("parentCategoryId", categoryOwnerId);
    if (categoryId)
        fields.insert("categoryId", *categoryId);
    loadUrl(QStringLiteral("/inventories/saveCategory.json"), fields);
}

std::optional<QByteArray> APIController::getCategoriesForUserId(const QString& userId,
                                                                const QString& token) {
    return loadSynchronousUrl(QStringLiteral("/inventories/getCategories.json"),
                              userFields(userId, token));
}

void APIController::deleteCategoryId(const QString& categoryId, const QString& userId,
                                     const QString& token, bool deleteContent) {
    setFunctionName(68);
    QVariantMap fields = userFields(userId, token);
    fields.insert("categoryId", categoryId);
    fields.insert("deleteContent", flag(deleteContent));
    loadUrl(QStringLiteral("/inventories/deleteCategory.json"), fields);
}

void APIController::saveProductWithName(const QString& name, double price,
                                        const QString& description, const QImage& image,
                                        const TaxList& taxes, const QString& currencyCode,
                                        const QString& categoryId, const QColor& color,
                                        bool deleteImage, const std::optional<QString>& productId,
                                        const QString& userId, const QString& token) {
    setFunctionName(67);
    QVariantMap fields = userFields(userId, token);
    fields.insert("productName", name);
    fields.insert("productPrice", price); // a decimal number: the body writes "%.4lf"
    fields.insert("productDescription", description);
    if (!image.isNull())
        fields.insert("productImage", image);
    fields.insert("categoryId", categoryId);
    if (productId)
        fields.insert("productId", *productId);
    fields.insert("taxes", taxListJson(taxes));
    fields.insert("currencyCode", currencyCode);
    fields.insert("backgroundColor", colorHex(color));
    fields.insert("deleteProductImage", flag(deleteImage));
    loadUrl(QStringLiteral("/inventories/saveProduct.json"), fields);
}

void APIController::saveFavoriteWithProductId(const QString& productId, const QString& position,
                                              const QString& userId, const QString& token) {
    setFunctionName(71);
    QVariantMap fields = userFields(userId, token);
    fields.insert("favoriteId", productId);
    fields.insert("position", position);
    loadUrl(QStringLiteral("/inventories/saveFavorite.json"), fields);
}

std::optional<QByteArray> APIController::getProductsForUserId(const QString& userId,
                                                              const QString& token) {
    return loadSynchronousUrl(QStringLiteral("/inventories/getProducts.json"),
                              userFields(userId, token));
}

void APIController::deleteProductIds(const QString& productIds, const QString& userId,
                                     const QString& token) {
    setFunctionName(69);
    QVariantMap fields = userFields(userId, token);
    fields.insert("productIds", productIds);
    loadUrl(QStringLiteral("/inventories/deleteProduct.json"), fields);
}

void APIController::deleteFavoritesIds(const QString& favoriteIds, const QString& userId,
                                       const QString& token) {
    setFunctionName(72);
    QVariantMap fields = userFields(userId, token);
    fields.insert("favoriteIds", favoriteIds);
    loadUrl(QStringLiteral("/inventories/deleteFavorite.json"), fields);
}

void APIController::assignCategoryId(int categoryId, const QString& productIds,
                                     const QString& userId, const QString& token) {
    setFunctionName(70);
    QVariantMap fields = userFields(userId, token);
    fields.insert("productIds", productIds);
    fields.insert("categoryId", integer(categoryId));
    loadUrl(QStringLiteral("/inventories/assignCategoryToProducts.json"), fields);
}

std::optional<QByteArray> APIController::getDiscountsForUserId(const QString& userId,
                                                               const QString& token) {
    return loadSynchronousUrl(QStringLiteral("/discounts/getDiscounts.json"),
                              userFields(userId, token));
}

void APIController::saveDiscountWithName(const QString& name, double percentage, double amount,
                                         int discountId, const QString& userId,
                                         const QString& token) {
    setFunctionName(73);
    QVariantMap fields = userFields(userId, token);
    fields.insert("name", name);
    fields.insert("discountPercentage", money(percentage));
    fields.insert("discountAmount", money(amount));
    if (discountId != 0)
        fields.insert("discountId", integer(discountId));
    loadUrl(QStringLiteral("/discounts/saveDiscount.json"), fields);
}

void APIController::deleteDiscountsIds(const QString& discountIds, const QString& userId,
                                       const QString& token) {
    setFunctionName(74);
    QVariantMap fields = userFields(userId, token);
    fields.insert("discountIds", discountIds);
    loadUrl(QStringLiteral("/discounts/deleteDiscount.json"), fields);
}

void APIController::setPrivateInstallmentsOrder(const QStringList& order, const QString& userId,
                                                const QString& token) {
    setFunctionName(76);
    QVariantMap fields = userFields(userId, token);
    fields.insert("installmentsOrder", order.join(u','));
    loadUrl(QStringLiteral("/installments/setPrivateInstallmentsOrder.json"), fields);
}

void APIController::savePrivateInstallmentWithId(const QString& installmentId,
                                                 const QString& issuer, const QString& key,
                                                 const QString& type, bool enabled,
                                                 const QString& startingOn, const QString& endingOn,
                                                 const QVariantList& installments,
                                                 const QString& userId, const QString& token) {
    setFunctionName(77);
    QVariantMap fields = userFields(userId, token);
    fields.insert("installmentId", installmentId);
    fields.insert("issuerName", issuer);
    fields.insert("key", key);
    fields.insert("type", type);
    fields.insert("enabled", flag(enabled));
    fields.insert("startDate", startingOn);
    fields.insert("endDate", endingOn);
    fields.insert("installments", compactJson(installments));
    loadUrl(QStringLiteral("/installments/savePrivateInstallment.json"), fields);
}

void APIController::deletePrivateInstallmentsWithId(const QString& installmentId,
                                                    const QString& userId, const QString& token) {
    setFunctionName(78);
    QVariantMap fields = userFields(userId, token);
    fields.insert("installmentId", installmentId);
    loadUrl(QStringLiteral("/installments/deletePrivateInstallment.json"), fields);
}
