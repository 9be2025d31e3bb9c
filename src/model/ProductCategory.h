#pragma once

#include "model/Product.h"

#include <QString>
#include <QVariantMap>
#include <memory>
#include <vector>

class ProductCategory;
using ProductCategoryPtr = std::shared_ptr<ProductCategory>;

// One node of the catalog tree: a category with its parent, its child categories and the
// products filed under it. A parent owns its children; the link back to the parent is weak.
class ProductCategory {
public:
    ProductCategory() = default;
    ProductCategory(const ProductCategory&) = delete;
    ProductCategory& operator=(const ProductCategory&) = delete;

    static ProductCategoryPtr init() { return std::make_shared<ProductCategory>(); }
    // Fills the node from one category entry of the back end.
    void loadWithDictionary(const QVariantMap& entry);

    // Moves the node to the end of the children (it stands there once).
    void addSubcategory(const ProductCategoryPtr& node);
    void removeSubcategory(const ProductCategoryPtr& node);
    void addProduct(const ProductPtr& product);
    // Removes every occurrence of the product.
    void removeProduct(const ProductPtr& product);

    // 0 for a node without a parent link, else the parent's depth plus 1.
    int level() const { return internalLevel(*this); }
    static int internalLevel(const ProductCategory& node);
    // The product count of the node and of every node below it.
    int totalProductsInCategory() const;

    // The node as a keyed archive: its fields, its children in the same form and its products'
    // identifiers; the parent is written as its identifier.
    QVariantMap encodeWithCoder() const;
    // A node read back from such an archive, with its children linked to it.
    static ProductCategoryPtr initWithCoder(const QVariantMap& archive);

    int categoryId() const { return categoryId_; }
    void setCategoryId(int value) { categoryId_ = value; }
    int ownerCategoryId() const { return ownerCategoryId_; }
    void setOwnerCategoryId(int value) { ownerCategoryId_ = value; }
    ProductCategoryPtr ownerCategory() const { return ownerCategory_.lock(); }
    void setOwnerCategory(const ProductCategoryPtr& value) { ownerCategory_ = value; }
    QString name() const { return name_; }
    void setName(const QString& value) { name_ = value; }
    QString description() const { return description_; }
    void setDescription(const QString& value) { description_ = value; }
    const std::vector<ProductCategoryPtr>& subcategories() const { return subcategories_; }
    void setSubcategories(const std::vector<ProductCategoryPtr>& value) { subcategories_ = value; }
    const std::vector<ProductPtr>& products() const { return products_; }
    void setProducts(const std::vector<ProductPtr>& value) { products_ = value; }
    int productsQuantity() const { return productsQuantity_; }
    void setProductsQuantity(int value) { productsQuantity_ = value; }
    bool isOpen() const { return isOpen_; }
    void setIsOpen(bool value) { isOpen_ = value; }

private:
    int categoryId_ = 0;
    int ownerCategoryId_ = 0;
    std::weak_ptr<ProductCategory> ownerCategory_;
    QString name_{""};
    QString description_{""};
    std::vector<ProductCategoryPtr> subcategories_;
    std::vector<ProductPtr> products_;
    int productsQuantity_ = 0;
    bool isOpen_ = false;
};
