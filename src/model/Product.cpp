#include "model/Product.h"

#include "SDK/session/AccountSettings.h"
#include "model/values/Currency.h"
#include "platform/core/Logging.h"
#include "platform/core/SafeDictionary.h"
#include "platform/core/Values.h"

#include <cmath>

namespace {

// Reads "RRGGBB", with or without a leading "#"; invalid when the text is not six hex digits.
QColor colorFromHex(QString text) {
    if (text.startsWith(QLatin1Char('#')))
        text.remove(0, 1);
    bool ok = false;
    const uint rgb = text.toUInt(&ok, 16);
    if (!ok || text.size() != 6)
        return QColor();
    return QColor::fromRgb((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}
} // namespace

QColor Product::defaultColor() {
    return QColor::fromRgbF(0.4f, 0.4f, 0.4f, 1.0f);
}

Product::Product()
    : productId_("")
    , price_(Amount::init())
    , name_("")
    , description_("")
    , imageUrl_("")
    , taxes_(std::make_shared<TaxList>())
    , categoryName_("")
    , currencyCode_(Currency::instance()->code())
    , backgroundColor_(defaultColor()) {}

void Product::loadWithDictionary(const QVariantMap& d) {
    productId_ = QString::number(Values::integerValue(d.value(QStringLiteral("productId"))));
    name_ = Values::fieldText(d.value(QStringLiteral("productName")));
    description_ = Values::fieldText(d.value(QStringLiteral("productDescription")));
    double price = Values::doubleValue(d.value(QStringLiteral("productPrice")));
    const qint64 code = Values::integerValue(d.value(QStringLiteral("currencyCode")));
    currencyCode_ = code < 1 ? QStringLiteral("484") : QString::number(code);

    const TaxList snapshot = *taxes_;
    for (const TaxPtr& tax : snapshot)
        removeTax(tax);
    const QVariant entries = d.value(QStringLiteral("taxes"));
    if (entries.typeId() == QMetaType::QVariantList) {
        for (const QVariant& entry : entries.toList()) {
            if (TaxPtr tax = Tax::forProductWithPrice(Amount::initWithDouble(price), entry))
                addOrRemoveTax(tax);
        }
    }
    for (const TaxPtr& tax : *taxes_) {
        if (tax->includedInPrice())
            price += tax->amount()->doubleValue();
    }
    setPrice(Amount::initWithDouble(price));

    const QVariant color = d.value(QStringLiteral("backgroundColor"));
    if (!Values::isJsonNull(color) &&
        !(color.typeId() == QMetaType::QString && color.toString().isEmpty()))
        backgroundColor_ = color.isValid() ? colorFromHex(color.toString()) : QColor();
    const QVariant categoryId = d.value(QStringLiteral("categoryId"));
    if (!Values::isJsonNull(categoryId))
        categoryId_ = int(Values::integerValue(categoryId));
    const QVariant categoryName = d.value(QStringLiteral("categoryName"));
    if (!Values::isJsonNull(categoryName))
        categoryName_ = Values::fieldText(categoryName);
    imageUrl_ = SafeDictionary::hasKey(d, QStringLiteral("productImageUrl"))
                    ? Values::fieldText(d.value(QStringLiteral("productImageUrl")))
                    : QString("");
}

void Product::setPrice(AmountPtr price) {
    price_ = price ? std::move(price) : Amount::init();
    double rates = 0;
    for (const TaxPtr& tax : *taxes_)
        rates += tax->rate();
    const bool included = !taxes_->empty() && taxes_->back()->includedInPrice();
    double base = price_->doubleValue();
    if (included) {
        if (1 + rates == 0)
            Logging::warning(
                tarvelloModel,
                QStringLiteral("Product: tax rates sum to -1, price taken as its own base"));
        else
            base = base / (1 + rates);
    }
    for (const TaxPtr& tax : *taxes_)
        tax->recalculateTaxForAmount(base);
}

void Product::setTaxRate(double rate) {
    const double amount = DecimalNumber::roundCents(price_->doubleValue() * rate);
    auto tax = Tax::initWithAmount(amount, Limits::init(), std::nullopt, std::nullopt);
    tax->setRate(rate);
    addOrRemoveTax(tax);
}

void Product::addOrRemoveTax(const TaxPtr& tax) {
    Tax::addOrRemoveInList(*taxes_, tax);
}

void Product::removeTax(const TaxPtr& tax) {
    if (!tax)
        return;
    for (auto it = taxes_->begin(); it != taxes_->end(); ++it) {
        if ((*it)->name() == tax->name()) {
            taxes_->erase(it);
            return;
        }
    }
}

double Product::getTotalTaxRate() const {
    double total = 0;
    for (const TaxPtr& tax : *taxes_) {
        if (tax->rate() > 0)
            total += tax->rate();
    }
    return total;
}

double Product::getPriceWithNoTax() const {
    double factor = 1;
    const qint64 current = Values::lenientInteger(Currency::instance()->code());
    const qint64 own = Values::lenientInteger(currencyCode_);
    if (current != own) {
        const QVariantList currencies = AccountSettings::instance().currencies();
        const QVariantMap main = currencies.isEmpty() ? QVariantMap() : currencies.first().toMap();
        const double rate = Values::doubleValue(main.value(QStringLiteral("exchangeRate")));
        if (!(rate > 0) || !std::isfinite(rate)) {
            Logging::warning(tarvelloModel,
                             QStringLiteral("Product: exchange rate %1 of the main currency is not "
                                            "usable; price left unconverted")
                                 .arg(rate));
        } else if (Values::integerValue(main.value(QStringLiteral("code"))) == own) {
            factor = 1 / rate;
        } else {
            factor = rate;
        }
    }
    const double price = price_->doubleValue() * factor;
    return taxIncludedInPrice_ ? price / (1 + getTotalTaxRate()) : price;
}

double Product::getTotalTax() const {
    return getPriceWithNoTax() * getTotalTaxRate();
}

double Product::getPriceWithTax() const {
    return getPriceWithNoTax() + getTotalTax();
}

void Product::takeFieldsOf(const Product& source) {
    productId_ = source.productId_;
    price_ = source.price_;
    name_ = source.name_;
    description_ = source.description_;
    taxes_ = source.taxes_;
    taxIncludedInPrice_ = source.taxIncludedInPrice_;
    image_ = source.image_;
    imageUrl_ = source.imageUrl_;
    categoryId_ = source.categoryId_;
    categoryName_ = source.categoryName_;
    backgroundColor_ = source.backgroundColor_;
    manageStock_ = source.manageStock_;
    sku_ = source.sku_;
    currentStock_ = source.currentStock_;
    minimumStockAlert_ = source.minimumStockAlert_;
    currencyCode_ = source.currencyCode_;
}

std::shared_ptr<Product> Product::copy() const {
    auto product = init();
    product->takeFieldsOf(*this);
    return product;
}

void Product::setProduct(const Product& source) {
    if (&source != this)
        takeFieldsOf(source);
}

std::shared_ptr<Product> Product::initWithProduct(const Product& source) {
    auto product = init();
    product->productId_ = source.productId_;
    product->setPrice(source.price_);
    product->name_ = source.name_;
    product->description_ = source.description_;
    product->taxes_ = std::make_shared<TaxList>(*source.taxes_);
    product->taxIncludedInPrice_ = source.taxIncludedInPrice_;
    product->image_ = source.image_.copy();
    product->imageUrl_ = source.imageUrl_;
    product->categoryId_ = source.categoryId_;
    product->categoryName_ = source.categoryName_;
    product->currencyCode_ = source.currencyCode_;
    product->manageStock_ = source.manageStock_;
    product->sku_ = source.sku_;
    product->currentStock_ = source.currentStock_;
    product->minimumStockAlert_ = source.minimumStockAlert_;
    return product;
}
