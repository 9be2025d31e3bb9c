#include "model/Catalog.h"
#include "ModelFixture.h"
#include "platform/core/DocumentsFolder.h"
#include "platform/core/ServiceRegistry.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

namespace {

// A source whose answers the test gives, one request at a time.
class ScriptedSource : public CatalogSource {
public:
    void fetchCategories(const QString&, const QString&, Completion completion) override {
        ++categoryRequests;
        pending.push_back(std::move(completion));
    }
    void fetchProducts(const QString&, const QString&, Completion completion) override {
        ++productRequests;
        pending.push_back(std::move(completion));
    }
    void answer(const std::optional<QVariantMap>& reply) {
        ASSERT_FALSE(pending.empty());
        auto completion = pending.front();
        pending.erase(pending.begin());
        completion(reply ? std::optional<QByteArray>(QJsonDocument::fromVariant(*reply).toJson())
                         : std::nullopt);
    }

    int categoryRequests = 0;
    int productRequests = 0;
    std::vector<Completion> pending;
};

class CatalogTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        source = std::make_shared<ScriptedSource>();
        Services::set<CatalogSource>(source);
        Services::set(std::make_shared<DocumentsFolder>(documents.path()));
    }
    void TearDown() override {
        Services::set<DocumentsFolder>(nullptr);
        Services::set<CatalogSource>(nullptr);
        ModelTest::TearDown();
    }
    static QVariantMap ok(const QVariantList& data) { return {{"success", "OK"}, {"data", data}}; }

    Catalog catalog;
    std::shared_ptr<ScriptedSource> source;
    QTemporaryDir documents;
};

TEST_F(CatalogTest, FetchesOnceAndRetriesAfterAFailure) {
    std::vector<std::optional<CategoryList>> got;
    auto record = [&got](const std::optional<CategoryList>& list) { got.push_back(list); };

    catalog.loadCategories(record);
    catalog.loadCategories(record); // joins the request in flight
    EXPECT_EQ(source->categoryRequests, 1);
    EXPECT_TRUE(got.empty()); // nothing until the answer arrives
    source->answer(std::nullopt);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_FALSE(got[0].has_value());
    EXPECT_TRUE(catalog.willLoadCategories());

    catalog.loadCategories(record);
    EXPECT_EQ(source->categoryRequests, 2);
    source->answer(ok({QVariantMap{{"categoryName", "bebidas"}, {"categoryId", 1}},
                       QVariantMap{{"categoryName", "Postres"}, {"categoryId", 2}},
                       QVariantMap{{"categoryName", "Álamo"}, {"categoryId", 3}}}));
    ASSERT_TRUE(got.back().has_value());
    QStringList names;
    for (const auto& c : *got.back())
        names << c->name();
    EXPECT_EQ(names, (QStringList{"Postres", "bebidas", "Álamo"}));

    catalog.loadCategories(record);
    EXPECT_EQ(source->categoryRequests, 2);
    catalog.resetCategories();
    catalog.loadCategories(record);
    EXPECT_EQ(source->categoryRequests, 3);
}

TEST_F(CatalogTest, ExpiredSessionIsFlaggedAndClearedByTheNextLoad) {
    catalog.loadProducts({});
    source->answer(
        QVariantMap{{"error", "unauthorized"}, {"response", QVariantMap{{"code", 401}}}});
    EXPECT_TRUE(catalog.sessionExpired());
    EXPECT_TRUE(catalog.willLoadProducts());

    catalog.loadProducts({});
    EXPECT_FALSE(catalog.sessionExpired());
    source->answer(
        QVariantMap{{"error", "unauthorized"}, {"response", QVariantMap{{"code", 403}}}});
    EXPECT_FALSE(catalog.sessionExpired());

    catalog.loadProducts({});
    source->answer(ok({}));
    ASSERT_TRUE(catalog.products().has_value());
    EXPECT_TRUE(catalog.products()->empty());
    EXPECT_TRUE(catalog.productsAndDiscounts().empty());
}

TEST_F(CatalogTest, DeletingACategoryWithContentRemovesThreeLevelsAndTheirPictures) {
    catalog.loadCategories({});
    source->answer(
        ok({QVariantMap{{"categoryName", "Root"}, {"categoryId", 1}},
            QVariantMap{{"categoryName", "Child"}, {"categoryId", 2}, {"parentCategoryId", 1}},
            QVariantMap{{"categoryName", "Grandchild"}, {"categoryId", 3}, {"parentCategoryId", 2}},
            QVariantMap{{"categoryName", "Other"}, {"categoryId", 4}}}));
    catalog.loadProducts({});
    QVariantList products;
    for (int id = 1; id <= 4; ++id)
        products << QVariantMap{
            {"productName", QStringLiteral("P%1").arg(id)},
            {"categoryId", id},
            {"productImageUrl", QStringLiteral("https://img.example/p/%1.png").arg(id)}};
    products << QVariantMap{{"productName", "Sneaky"},
                            {"categoryId", 3},
                            {"productImageUrl", "https://img.example/p/.."}};
    source->answer(ok(products));

    // Link the tree as the catalog screens do.
    std::map<int, ProductCategoryPtr> byId;
    for (const auto& c : *catalog.categories())
        byId[c->categoryId()] = c;
    for (const auto& [id, c] : byId)
        if (c->ownerCategoryId() != 0) {
            c->setOwnerCategory(byId[c->ownerCategoryId()]);
            byId[c->ownerCategoryId()]->addSubcategory(c);
        }
    for (int id = 1; id <= 4; ++id) {
        QFile picture(QDir(documents.path()).filePath(QStringLiteral("%1.png").arg(id)));
        ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    }
    QFile outside(QDir(documents.path()).filePath("../keep.png"));
    ASSERT_TRUE(outside.open(QIODevice::WriteOnly));

    catalog.deleteCategory(byId[1], true);
    ASSERT_EQ(catalog.categories()->size(), 1u);
    EXPECT_EQ(catalog.categories()->front()->name(), "Other");
    ASSERT_EQ(catalog.products()->size(), 1u);
    EXPECT_EQ(catalog.products()->front()->name(), "P4");
    for (int id = 1; id <= 3; ++id)
        EXPECT_FALSE(
            QFile::exists(QDir(documents.path()).filePath(QStringLiteral("%1.png").arg(id))));
    EXPECT_TRUE(QFile::exists(QDir(documents.path()).filePath("4.png")));
    EXPECT_TRUE(QFile::exists(outside.fileName()));
    EXPECT_TRUE(QDir(documents.path()).exists());
    QFile::remove(outside.fileName());
}

TEST_F(CatalogTest, DeletingARootWithoutContentMovesItsProductsAndChildrenUp) {
    catalog.loadCategories({});
    source->answer(
        ok({QVariantMap{{"categoryName", "Root"}, {"categoryId", 1}, {"productsQuantity", 1}},
            QVariantMap{{"categoryName", "Child"}, {"categoryId", 2}, {"parentCategoryId", 1}}}));
    catalog.loadProducts({});
    source->answer(
        ok({QVariantMap{{"productName", "P"}, {"categoryId", 1}, {"categoryName", "Root"}}}));
    auto root = catalog.categories()->at(1);
    auto child = catalog.categories()->at(0);
    child->setOwnerCategory(root);
    root->addSubcategory(child);

    catalog.deleteCategory(root, false);
    EXPECT_EQ(catalog.products()->front()->categoryId(), 0);
    EXPECT_EQ(catalog.products()->front()->categoryName(), "");
    EXPECT_EQ(child->ownerCategory(), nullptr);
    EXPECT_EQ(child->level(), 0);
    EXPECT_EQ(catalog.categories()->size(), 1u);

    // Moving a product between categories keeps the counts in step.
    auto other = ProductCategory::init();
    other->setCategoryId(5);
    catalog.addCategory(other);
    auto product = catalog.products()->front();
    catalog.reloadProduct(product, {{"productName", "P"}, {"categoryId", 5}}, 0);
    EXPECT_EQ(other->productsQuantity(), 1);
}

TEST(ProductCategoryTest, DepthTotalsAndChildren) {
    auto root = ProductCategory::init();
    root->loadWithDictionary({{"categoryId", 1},
                              {"parentCategoryId", QVariant::fromValue(nullptr)},
                              {"productsQuantity", 2}});
    auto first = ProductCategory::init();
    first->loadWithDictionary(
        {{"categoryId", 2}, {"parentCategoryId", 1}, {"productsQuantity", 3}});
    auto second = ProductCategory::init();
    second->setProductsQuantity(4);
    auto grandchild = ProductCategory::init();
    grandchild->setProductsQuantity(1);
    first->setOwnerCategory(root);
    grandchild->setOwnerCategory(first);
    root->addSubcategory(first);
    root->addSubcategory(second);
    root->addSubcategory(first);
    first->addSubcategory(grandchild);
    EXPECT_EQ(root->subcategories().back(), first);
    EXPECT_EQ(root->subcategories().size(), 2u);
    EXPECT_EQ(root->totalProductsInCategory(), 10);
    EXPECT_EQ(grandchild->level(), 2);

    first->loadWithDictionary(
        {{"categoryId", 2}, {"parentCategoryId", 9}, {"productsQuantity", 0}});
    EXPECT_EQ(first->ownerCategory(), nullptr);
    EXPECT_EQ(first->ownerCategoryId(), 9);
    EXPECT_EQ(first->productsQuantity(), 3);

    auto back = ProductCategory::initWithCoder(root->encodeWithCoder());
    EXPECT_EQ(back->totalProductsInCategory(), 10);
    EXPECT_EQ(back->subcategories().front()->ownerCategory(), back);
}

} // namespace
