#include "model/Catalog.h"

#include "SDK/session/User.h"
#include "platform/core/DocumentsFolder.h"
#include "platform/core/SafeDictionary.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/core/Values.h"

#include <QJsonDocument>
#include <algorithm>

Catalog& Catalog::instance() {
    static Catalog shared;
    return shared;
}

void Catalog::fetchFromSource(bool products, const CatalogSource::Completion& completion) {
    const auto source = Services::get<CatalogSource>();
    if (!source) {
        completion(std::nullopt);
        return;
    }
    const User& user = User::instance();
    if (products)
        source->fetchProducts(user.userId(), user.token(), completion);
    else
        source->fetchCategories(user.userId(), user.token(), completion);
}

bool Catalog::nameLess(const QString& a, const QString& b) {
    return a.normalized(QString::NormalizationForm_C) < b.normalized(QString::NormalizationForm_C);
}

std::optional<QVariantList> Catalog::entriesOf(const std::optional<QByteArray>& answer) {
    if (!answer)
        return std::nullopt;
    const QVariant json = QJsonDocument::fromJson(*answer).toVariant();
    const QVariantMap reply = json.toMap();
    if (SafeDictionary::safeObjectForKey(reply, QStringLiteral("success")) == QLatin1String("OK"))
        return reply.value(QStringLiteral("data")).toList();
    // The error word is compared without regard to case.
    if (SafeDictionary::safeObjectForKey(reply, QStringLiteral("error"))
                .compare(QLatin1String("unauthorized"), Qt::CaseInsensitive) == 0 &&
        SafeDictionary::hasKey(reply, QStringLiteral("response")) &&
        Values::integerValue(
            reply.value(QStringLiteral("response")).toMap().value(QStringLiteral("code"))) == 401)
        sessionExpired_ = true;
    return std::nullopt;
}

void Catalog::loadCategories(CategoriesCompletion completion) {
    sessionExpired_ = false;
    if (categories_) {
        if (completion)
            completion(categories_);
        return;
    }
    categoriesWaiting_.push_back(std::move(completion));
    if (categoriesWaiting_.size() > 1)
        return; // one request serves every caller
    const int generation = categoriesGeneration_;
    fetchFromSource(false, [this, generation](const std::optional<QByteArray>& answer) {
        if (generation != categoriesGeneration_)
            return;
        if (const auto entries = entriesOf(answer)) {
            CategoryList list;
            for (const QVariant& entry : *entries) {
                if (entry.typeId() != QMetaType::QVariantMap)
                    continue;
                auto category = ProductCategory::init();
                category->loadWithDictionary(entry.toMap());
                list.push_back(category);
            }
            categories_ = list;
            sortCategories();
        }
        const auto waiting = std::exchange(categoriesWaiting_, {});
        for (const auto& done : waiting) {
            if (done)
                done(categories_);
        }
    });
}

void Catalog::loadProducts(ProductsCompletion completion) {
    sessionExpired_ = false;
    if (products_) {
        if (completion)
            completion(products_);
        return;
    }
    productsWaiting_.push_back(std::move(completion));
    if (productsWaiting_.size() > 1)
        return;
    const int generation = productsGeneration_;
    fetchFromSource(true, [this, generation](const std::optional<QByteArray>& answer) {
        if (generation != productsGeneration_)
            return;
        if (const auto entries = entriesOf(answer)) {
            ProductList list;
            for (const QVariant& entry : *entries) {
                if (entry.typeId() != QMetaType::QVariantMap)
                    continue;
                auto product = Product::init();
                product->loadWithDictionary(entry.toMap());
                list.push_back(product);
            }
            products_ = list;
            sortProducts();
        }
        const auto waiting = std::exchange(productsWaiting_, {});
        for (const auto& done : waiting) {
            if (done)
                done(products_);
        }
    });
}

void Catalog::resetCategories() {
    categories_.reset();
    ++categoriesGeneration_;
    // Callers still waiting get nothing rather than a list from before the reset.
    const auto waiting = std::exchange(categoriesWaiting_, {});
    for (const auto& done : waiting) {
        if (done)
            done(std::nullopt);
    }
}

void Catalog::resetProducts() {
    products_.reset();
    ++productsGeneration_;
    const auto waiting = std::exchange(productsWaiting_, {});
    for (const auto& done : waiting) {
        if (done)
            done(std::nullopt);
    }
}

std::vector<Catalog::Entry> Catalog::productsAndDiscounts() const {
    std::vector<Entry> merged;
    if (products_)
        for (const ProductPtr& p : *products_)
            merged.push_back({p, nullptr});
    if (discounts_)
        for (const DiscountPtr& d : *discounts_)
            merged.push_back({nullptr, d});
    std::stable_sort(merged.begin(), merged.end(),
                     [](const Entry& a, const Entry& b) { return nameLess(a.name(), b.name()); });
    return merged;
}

void Catalog::sortCategories() {
    if (categories_)
        std::stable_sort(categories_->begin(), categories_->end(),
                         [](const ProductCategoryPtr& a, const ProductCategoryPtr& b) {
                             return nameLess(a->name(), b->name());
                         });
}

void Catalog::sortProducts() {
    if (products_)
        std::stable_sort(products_->begin(), products_->end(),
                         [](const ProductPtr& a, const ProductPtr& b) {
                             return nameLess(a->name(), b->name());
                         });
}

void Catalog::sortDiscounts() {
    if (discounts_)
        std::stable_sort(discounts_->begin(), discounts_->end(),
                         [](const DiscountPtr& a, const DiscountPtr& b) {
                             return nameLess(a->name(), b->name());
                         });
}

ProductCategoryPtr Catalog::categoryWithId(int categoryId) const {
    if (!categories_ || categoryId == 0)
        return nullptr;
    for (const ProductCategoryPtr& c : *categories_) {
        if (c->categoryId() == categoryId)
            return c;
    }
    return nullptr;
}

void Catalog::addCategory(const ProductCategoryPtr& category) {
    if (!category || !categories_)
        return;
    categories_->push_back(category);
    sortCategories();
}

void Catalog::reloadCategory(const ProductCategoryPtr& category, const QVariantMap& entry,
                             const ProductCategoryPtr&) {
    if (!category)
        return;
    category->loadWithDictionary(entry);
    sortCategories();
    if (products_)
        for (const ProductPtr& p : *products_)
            if (p->categoryId() == category->categoryId())
                p->setCategoryName(category->name());
}

void Catalog::itemsAdded(int count, const ProductCategoryPtr& category) {
    if (category)
        category->setProductsQuantity(category->productsQuantity() + count);
}

void Catalog::itemsDeleted(int count, const ProductCategoryPtr& category) {
    if (category)
        category->setProductsQuantity(category->productsQuantity() - count);
}

void Catalog::addProduct(const ProductPtr& product) {
    if (!product || !products_)
        return;
    products_->push_back(product);
    if (ProductCategoryPtr category = categoryWithId(product->categoryId()))
        itemsAdded(1, category);
    sortProducts();
}

void Catalog::reloadProduct(const ProductPtr& product, const QVariantMap& entry, int oldCategory) {
    if (!product)
        return;
    product->loadWithDictionary(entry);
    const int newCategory = product->categoryId();
    if (categories_ && newCategory != oldCategory) {
        bool added = newCategory == 0;
        bool removed = oldCategory == 0;
        for (const ProductCategoryPtr& c : *categories_) {
            if (added && removed)
                break;
            if (!added && c->categoryId() == newCategory) {
                itemsAdded(1, c);
                added = true;
            } else if (!removed && c->categoryId() == oldCategory) {
                itemsDeleted(1, c);
                removed = true;
            }
        }
    }
    sortProducts();
}

void Catalog::deleteProducts(const ProductList& list) {
    for (const ProductPtr& p : list) {
        if (p && p->categoryId() != 0)
            if (ProductCategoryPtr category = categoryWithId(p->categoryId()))
                itemsDeleted(1, category);
    }
    for (const ProductPtr& p : list) {
        if (p && !p->imageUrl().isEmpty())
            DocumentsFolder::removePictureForURL(p->imageUrl());
    }
    if (products_)
        for (const ProductPtr& p : list)
            products_->erase(std::remove(products_->begin(), products_->end(), p),
                             products_->end());
}

void Catalog::deleteCategory(const ProductCategoryPtr& c, bool withContent) {
    if (!c)
        return;
    const ProductCategoryPtr parent = c->ownerCategory();
    if (withContent) {
        ProductList held;
        if (products_)
            for (const ProductPtr& p : *products_)
                if (p->categoryId() == c->categoryId())
                    held.push_back(p);
        deleteProducts(held);
        // Each deletion removes the child from this node's list; a child that does not name this
        // node as its parent is dropped from the list by hand so the loop always ends.
        while (!c->subcategories().empty()) {
            const ProductCategoryPtr child = c->subcategories().front();
            deleteCategory(child, true);
            c->removeSubcategory(child);
        }
    } else {
        const int parentId = parent ? parent->categoryId() : 0;
        const QString parentName = parent ? parent->name() : QString("");
        if (c->productsQuantity() > 0 && products_)
            for (const ProductPtr& p : *products_)
                if (p->categoryId() == c->categoryId()) {
                    p->setCategoryId(parentId);
                    p->setCategoryName(parentName);
                }
        for (const ProductCategoryPtr& child : c->subcategories()) {
            child->setOwnerCategoryId(parentId);
            child->setOwnerCategory(parent);
        }
        c->setSubcategories({});
    }
    if (parent) {
        auto siblings = parent->subcategories();
        for (auto it = siblings.begin(); it != siblings.end(); ++it) {
            if ((*it)->categoryId() == c->categoryId()) {
                siblings.erase(it);
                break;
            }
        }
        parent->setSubcategories(siblings);
    }
    if (categories_)
        categories_->erase(std::remove(categories_->begin(), categories_->end(), c),
                           categories_->end());
}

void Catalog::addDiscount(const DiscountPtr& discount) {
    if (!discount)
        return;
    if (!discounts_)
        discounts_.emplace();
    discounts_->push_back(discount);
    sortDiscounts();
}

void Catalog::reloadDiscount(const DiscountPtr& discount, const QVariantMap& entry) {
    if (!discount)
        return;
    discount->loadWithDictionary(entry);
    sortDiscounts();
}

void Catalog::deleteDiscounts(const std::vector<DiscountPtr>& list) {
    if (!discounts_)
        return;
    for (const DiscountPtr& d : list)
        discounts_->erase(std::remove(discounts_->begin(), discounts_->end(), d),
                          discounts_->end());
}
