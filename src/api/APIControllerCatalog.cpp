// Catalog, discount and private installment requests.
#include "api/APIController.h"
#include "api/APIControllerFields.h"
#include "model/values/Tax.h"
#include "platform/core/Colors.h"

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
    QVariantMap fields = userFields(userId, token);
    fields.insert("categoryName", name);
    fields.insert("categoryDescription", description);
    fields.insert("parentCategoryId", categoryOwnerId);
    if (categoryId)
        fields.insert("categoryId", *categoryId);
    loadUrlWithCode(FunctionCode::SaveCategory, QStringLiteral("/inventories/saveCategory.json"),
                    fields);
}

std::optional<QByteArray> APIController::getCategoriesForUserId(const QString& userId,
                                                                const QString& token) {
    return loadSynchronousUrl(QStringLiteral("/inventories/getCategories.json"),
                              userFields(userId, token));
}

void APIController::deleteCategoryId(const QString& categoryId, const QString& userId,
                                     const QString& token, bool deleteContent) {
    loadUrlWithCode(
        FunctionCode::DeleteCategory, QStringLiteral("/inventories/deleteCategory.json"),
        userFields(userId, token,
                   {{"categoryId", categoryId}, {"deleteContent", flag(deleteContent)}}));
}

void APIController::saveProductWithName(const QString& name, double price,
                                        const QString& description, const QImage& image,
                                        const TaxList& taxes, const QString& currencyCode,
                                        const QString& categoryId, const QColor& color,
                                        bool deleteImage, const std::optional<QString>& productId,
                                        const QString& userId, const QString& token) {
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
    fields.insert("backgroundColor", Colors::hexRGB(color));
    fields.insert("deleteProductImage", flag(deleteImage));
    loadUrlWithCode(FunctionCode::SaveProduct, QStringLiteral("/inventories/saveProduct.json"),
                    fields);
}

void APIController::saveFavoriteWithProductId(const QString& productId, const QString& position,
                                              const QString& userId, const QString& token) {
    loadUrlWithCode(FunctionCode::SaveFavorite, QStringLiteral("/inventories/saveFavorite.json"),
                    userFields(userId, token, {{"favoriteId", productId}, {"position", position}}));
}

std::optional<QByteArray> APIController::getProductsForUserId(const QString& userId,
                                                              const QString& token) {
    return loadSynchronousUrl(QStringLiteral("/inventories/getProducts.json"),
                              userFields(userId, token));
}

void APIController::deleteProductIds(const QString& productIds, const QString& userId,
                                     const QString& token) {
    loadUrlWithCode(FunctionCode::DeleteProduct, QStringLiteral("/inventories/deleteProduct.json"),
                    userFields(userId, token, {{"productIds", productIds}}));
}

void APIController::deleteFavoritesIds(const QString& favoriteIds, const QString& userId,
                                       const QString& token) {
    loadUrlWithCode(FunctionCode::DeleteFavorite,
                    QStringLiteral("/inventories/deleteFavorite.json"),
                    userFields(userId, token, {{"favoriteIds", favoriteIds}}));
}

void APIController::assignCategoryId(int categoryId, const QString& productIds,
                                     const QString& userId, const QString& token) {
    loadUrlWithCode(FunctionCode::AssignCategoryToProducts,
                    QStringLiteral("/inventories/assignCategoryToProducts.json"),
                    userFields(userId, token,
                               {{"productIds", productIds}, {"categoryId", integer(categoryId)}}));
}

std::optional<QByteArray> APIController::getDiscountsForUserId(const QString& userId,
                                                               const QString& token) {
    return loadSynchronousUrl(QStringLiteral("/discounts/getDiscounts.json"),
                              userFields(userId, token));
}

void APIController::saveDiscountWithName(const QString& name, double percentage, double amount,
                                         int discountId, const QString& userId,
                                         const QString& token) {
    QVariantMap fields = userFields(userId, token);
    fields.insert("name", name);
    fields.insert("discountPercentage", twoDecimals(percentage));
    fields.insert("discountAmount", money(amount));
    if (discountId != 0)
        fields.insert("discountId", integer(discountId));
    loadUrlWithCode(FunctionCode::SaveDiscount, QStringLiteral("/discounts/saveDiscount.json"),
                    fields);
}

void APIController::deleteDiscountsIds(const QString& discountIds, const QString& userId,
                                       const QString& token) {
    loadUrlWithCode(FunctionCode::DeleteDiscount, QStringLiteral("/discounts/deleteDiscount.json"),
                    userFields(userId, token, {{"discountIds", discountIds}}));
}

void APIController::setPrivateInstallmentsOrder(const QStringList& order, const QString& userId,
                                                const QString& token) {
    loadUrlWithCode(FunctionCode::SetPrivateInstallmentsOrder,
                    QStringLiteral("/installments/setPrivateInstallmentsOrder.json"),
                    userFields(userId, token, {{"installmentsOrder", order.join(u',')}}));
}

void APIController::savePrivateInstallmentWithId(const QString& installmentId,
                                                 const QString& issuer, const QString& key,
                                                 const QString& type, bool enabled,
                                                 const QString& startingOn, const QString& endingOn,
                                                 const QVariantList& installments,
                                                 const QString& userId, const QString& token) {
    loadUrlWithCode(FunctionCode::SavePrivateInstallment,
                    QStringLiteral("/installments/savePrivateInstallment.json"),
                    userFields(userId, token,
                               {{"installmentId", installmentId},
                                {"issuerName", issuer},
                                {"key", key},
                                {"type", type},
                                {"enabled", flag(enabled)},
                                {"startDate", startingOn},
                                {"endDate", endingOn},
                                {"installments", compactJson(installments)}}));
}

void APIController::deletePrivateInstallmentsWithId(const QString& installmentId,
                                                    const QString& userId, const QString& token) {
    loadUrlWithCode(FunctionCode::DeletePrivateInstallment,
                    QStringLiteral("/installments/deletePrivateInstallment.json"),
                    userFields(userId, token, {{"installmentId", installmentId}}));
}
