#include "model/ProductCategory.h"

#include "platform/core/Values.h"

#include <algorithm>

void ProductCategory::loadWithDictionary(const QVariantMap& d) {
    name_ = Values::fieldText(d.value(QStringLiteral("categoryName")));
    description_ = Values::fieldText(d.value(QStringLiteral("categoryDescription")));
    categoryId_ = int(Values::integerValue(d.value(QStringLiteral("categoryId"))));
    const QVariant parent = d.value(QStringLiteral("parentCategoryId"));
    if (!Values::isJsonNull(parent))
        ownerCategoryId_ = int(Values::integerValue(parent));
    const qint64 quantity = Values::integerValue(d.value(QStringLiteral("productsQuantity")));
    if (quantity > 0)
        productsQuantity_ = int(std::min<qint64>(quantity, INT32_MAX));
    const ProductCategoryPtr owner = ownerCategory_.lock();
    if (!owner || ownerCategoryId_ == 0 || owner->categoryId_ != ownerCategoryId_)
        ownerCategory_.reset();
}

void ProductCategory::addSubcategory(const ProductCategoryPtr& node) {
    if (!node)
        return;
    removeSubcategory(node);
    subcategories_.push_back(node);
}

void ProductCategory::removeSubcategory(const ProductCategoryPtr& node) {
    subcategories_.erase(std::remove(subcategories_.begin(), subcategories_.end(), node),
                         subcategories_.end());
}

void ProductCategory::addProduct(const ProductPtr& product) {
    if (product)
        products_.push_back(product);
}

void ProductCategory::removeProduct(const ProductPtr& product) {
    products_.erase(std::remove(products_.begin(), products_.end(), product), products_.end());
}

int ProductCategory::internalLevel(const ProductCategory& node) {
    int depth = 0;
    // Follows the parent links; a cycle cannot make this loop forever.
    ProductCategoryPtr parent = node.ownerCategory();
    while (parent && depth < 10000) {
        ++depth;
        parent = parent->ownerCategory();
    }
    return depth;
}

int ProductCategory::totalProductsInCategory() const {
    int total = productsQuantity_;
    for (const ProductCategoryPtr& child : subcategories_)
        total += child->totalProductsInCategory();
    return total;
}

QVariantMap ProductCategory::encodeWithCoder() const {
    QVariantList children;
    for (const ProductCategoryPtr& child : subcategories_)
        children.append(child->encodeWithCoder());
    QVariantList products;
    for (const ProductPtr& product : products_)
        products.append(product->productId());
    return {{"categoryId", QString::number(categoryId_)},
            {"ownerCategoryId", QString::number(ownerCategoryId_)},
            {"productsQuantity", QString::number(productsQuantity_)},
            {"isOpen", isOpen_ ? QStringLiteral("1") : QStringLiteral("0")},
            {"name", name_},
            {"description", description_},
            {"subcategories", children},
            {"products", products}};
}

ProductCategoryPtr ProductCategory::initWithCoder(const QVariantMap& archive) {
    auto node = init();
    node->categoryId_ =
        Values::lenientInt32(archive.value(QStringLiteral("categoryId")).toString());
    node->ownerCategoryId_ =
        Values::lenientInt32(archive.value(QStringLiteral("ownerCategoryId")).toString());
    node->productsQuantity_ =
        Values::lenientInt32(archive.value(QStringLiteral("productsQuantity")).toString());
    node->isOpen_ = Values::lenientBool(archive.value(QStringLiteral("isOpen")).toString());
    node->name_ = archive.value(QStringLiteral("name")).toString();
    node->description_ = archive.value(QStringLiteral("description")).toString();
    for (const QVariant& child : archive.value(QStringLiteral("subcategories")).toList()) {
        ProductCategoryPtr c = initWithCoder(child.toMap());
        c->ownerCategory_ = node;
        node->subcategories_.push_back(c);
    }
    for (const QVariant& id : archive.value(QStringLiteral("products")).toList()) {
        auto product = Product::init();
        product->setProductId(id.toString());
        node->products_.push_back(product);
    }
    return node;
}
