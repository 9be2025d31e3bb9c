#pragma once

#include "model/values/Amount.h"
#include "model/values/Tax.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <memory>
#include <optional>
#include <vector>

// A catalog product and the product behind every sale line: unit price with its currency and
// tax lines, descriptive fields and stock fields. Shared by reference (catalog lists, lines).
class Product {
public:
    Product();
    Product(const Product&) = delete;
    Product& operator=(const Product&) = delete;

    static std::shared_ptr<Product> init() { return std::make_shared<Product>(); }
    // Fills the product from one entry of the back end's product list.
    void loadWithDictionary(const QVariantMap& dictionary);

    // Stores the price and recomputes every tax line's amount.
    void setPrice(AmountPtr price);
    // Adds, updates or removes the default-named tax line for the rate (a fraction).
    void setTaxRate(double rate);
    // Merges a line by name: a positive amount updates the line, 0 removes it, a new name is
    // appended.
    void addOrRemoveTax(const TaxPtr& tax);
    void removeTax(const TaxPtr& tax);

    // Sum of the positive rates.
    double getTotalTaxRate() const;
    // Unit price without tax, converted into the currency in force.
    double getPriceWithNoTax() const;
    double getTotalTax() const;
    double getPriceWithTax() const;

    // A copy sharing this one's price, tax list and picture.
    std::shared_ptr<Product> copy() const;
    // A copy with its own texts and tax list (same lines); keeps the default colour.
    static std::shared_ptr<Product> initWithProduct(const Product& source);
    // Takes every field of the source, shared as copy() shares them.
    void setProduct(const Product& source);

    QString productId() const { return productId_; }
    void setProductId(const QString& value) { productId_ = value; }
    AmountPtr price() const { return price_; }
    QString name() const { return name_; }
    void setName(const QString& value) { name_ = value; }
    QString description() const { return description_; }
    void setDescription(const QString& value) { description_ = value; }
    QImage image() const { return image_; }
    void setImage(const QImage& value) { image_ = value; }
    QString imageUrl() const { return imageUrl_; }
    void setImageUrl(const QString& value) { imageUrl_ = value; }
    // The tax lines, in order; the list object is shared by copy() and setProduct().
    const TaxList& taxes() const { return *taxes_; }
    std::shared_ptr<TaxList> taxList() const { return taxes_; }
    void setTaxes(std::shared_ptr<TaxList> value) {
        taxes_ = value ? std::move(value) : std::make_shared<TaxList>();
    }
    bool taxIncludedInPrice() const { return taxIncludedInPrice_; }
    void setTaxIncludedInPrice(bool value) { taxIncludedInPrice_ = value; }
    int categoryId() const { return categoryId_; }
    void setCategoryId(int value) { categoryId_ = value; }
    QString categoryName() const { return categoryName_; }
    void setCategoryName(const QString& value) { categoryName_ = value; }
    QString currencyCode() const { return currencyCode_; }
    void setCurrencyCode(const QString& value) { currencyCode_ = value; }
    // Invalid when the product has no colour.
    QColor backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const QColor& value) { backgroundColor_ = value; }
    bool manageStock() const { return manageStock_; }
    void setManageStock(bool value) { manageStock_ = value; }
    std::optional<QString> sku() const { return sku_; }
    void setSku(const std::optional<QString>& value) { sku_ = value; }
    QVariant currentStock() const { return currentStock_; }
    void setCurrentStock(const QVariant& value) { currentStock_ = value; }
    QVariant minimumStockAlert() const { return minimumStockAlert_; }
    void setMinimumStockAlert(const QVariant& value) { minimumStockAlert_ = value; }

    // First colour of the item avatar palette, the colour of a new product.
    static QColor defaultColor();

private:
    void takeFieldsOf(const Product& source);

    QString productId_;
    AmountPtr price_;
    QString name_;
    QString description_;
    QImage image_;
    QString imageUrl_;
    std::shared_ptr<TaxList> taxes_;
    bool taxIncludedInPrice_ = true;
    int categoryId_ = 0;
    QString categoryName_;
    QString currencyCode_;
    QColor backgroundColor_;
    bool manageStock_ = false;
    std::optional<QString> sku_;
    QVariant currentStock_;
    QVariant minimumStockAlert_;
};

using ProductPtr = std::shared_ptr<Product>;
