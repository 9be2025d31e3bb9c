#pragma once

#include "model/CatalogSource.h"
#include "model/Discount.h"
#include "model/Product.h"
#include "model/ProductCategory.h"

#include <QVariantMap>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

using CategoryList = std::vector<ProductCategoryPtr>;
using ProductList = std::vector<ProductPtr>;

// The merchant's catalog in memory: categories (every level in one flat list), products and
// discounts, each sorted by name. Categories and products are fetched from the back end the
// first time they are loaded, without blocking the main thread, and kept until reset; a list
// that failed to load is fetched again on the next load.
class Catalog {
public:
    Catalog() = default;
    Catalog(const Catalog&) = delete;
    Catalog& operator=(const Catalog&) = delete;

    static Catalog& instance();

    using CategoriesCompletion = std::function<void(const std::optional<CategoryList>& list)>;
    using ProductsCompletion = std::function<void(const std::optional<ProductList>& list)>;
    // Hands over the loaded list, fetching it first when it is not loaded; none when the fetch
    // failed. The completion runs on the main thread, at once when the list is loaded.
    void loadCategories(CategoriesCompletion completion);
    void loadProducts(ProductsCompletion completion);

    // The lists as loaded; none while not loaded. Nothing is fetched.
    const std::optional<CategoryList>& categories() const { return categories_; }
    const std::optional<ProductList>& products() const { return products_; }
    const std::optional<std::vector<DiscountPtr>>& discounts() const { return discounts_; }

    // One entry of the merged list: a product or a discount.
    struct Entry {
        ProductPtr product;
        DiscountPtr discount;
        QString name() const { return product ? product->name() : discount->name(); }
    };
    // Every loaded product and discount, sorted by name.
    std::vector<Entry> productsAndDiscounts() const;

    bool willLoadCategories() const { return !categories_.has_value(); }
    bool willLoadProducts() const { return !products_.has_value(); }
    bool willLoadDiscounts() const { return !discounts_.has_value(); }
    void resetCategories();
    void resetProducts();
    void resetDiscounts() { discounts_.reset(); }
    // The last fetch was refused because the session had expired.
    bool sessionExpired() const { return sessionExpired_; }
    void setSessionExpired(bool value) { sessionExpired_ = value; }

    // ---- edits that keep the loaded lists in step (a list that is not loaded is left alone,
    // except the discount list, which an addition starts)
    void addCategory(const ProductCategoryPtr& category);
    void reloadCategory(const ProductCategoryPtr& category, const QVariantMap& entry,
                        const ProductCategoryPtr& oldOwnerCategory);
    // Deletes the node; with content also its products (and their cached pictures) and every
    // node below it; without, its products and children move to its parent.
    void deleteCategory(const ProductCategoryPtr& category, bool withContent);
    void itemsAdded(int count, const ProductCategoryPtr& category);
    void itemsDeleted(int count, const ProductCategoryPtr& category);
    void addProduct(const ProductPtr& product);
    void reloadProduct(const ProductPtr& product, const QVariantMap& entry, int oldCategory);
    void deleteProducts(const ProductList& products);
    void addDiscount(const DiscountPtr& discount);
    void reloadDiscount(const DiscountPtr& discount, const QVariantMap& entry);
    void deleteDiscounts(const std::vector<DiscountPtr>& discounts);

    // Name order: case-sensitive by character code, composed and decomposed accents alike.
    static bool nameLess(const QString& a, const QString& b);

private:
    // Asks the catalog source in force (a Services entry) for one list; none when there is no
    // source.
    static void fetchFromSource(bool products, const CatalogSource::Completion& completion);
    // Reads an answer: the entries of "data" on "OK"; none otherwise (noting a 401).
    std::optional<QVariantList> entriesOf(const std::optional<QByteArray>& answer);
    void sortCategories();
    void sortProducts();
    void sortDiscounts();
    ProductCategoryPtr categoryWithId(int categoryId) const;

    std::optional<CategoryList> categories_;
    std::optional<ProductList> products_;
    std::optional<std::vector<DiscountPtr>> discounts_;
    bool sessionExpired_ = false;
    std::vector<CategoriesCompletion> categoriesWaiting_;
    std::vector<ProductsCompletion> productsWaiting_;
    // Bumped by a reset, so an answer to a request sent before it is not taken.
    int categoriesGeneration_ = 0;
    int productsGeneration_ = 0;
};
