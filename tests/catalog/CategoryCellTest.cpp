#include "CatalogFixture.h"
#include "catalog/CatalogScreens.h"
#include "catalog/CategoryTableViewCell.h"
#include "catalog/ItemsAndCategoriesTabController.h"
#include "catalog/NewItemTableViewCell.h"
#include "platform/ui/SlidingViewController.h"

using namespace catalogtest;

namespace {

class CategoryCells : public CatalogTest {
protected:
    // A chain of nodes down to the depth; returns the deepest.
    ProductCategoryPtr nodeAtLevel(int level) {
        ProductCategoryPtr node = ProductCategory::init();
        node->setName("Bebidas");
        chain.push_back(node);
        for (int i = 0; i < level; ++i) {
            auto child = ProductCategory::init();
            child->setName(QStringLiteral("Nivel %1").arg(i + 1));
            chain.back()->addSubcategory(child);
            child->setOwnerCategory(chain.back());
            chain.push_back(child);
        }
        return chain.back();
    }
    std::vector<ProductCategoryPtr> chain;
};

} // namespace

TEST_F(CategoryCells, InsetsSeparatorAndBackgroundSteps) {
    const struct {
        int level;
        bool editing;
        double inset;
        double division;
        int separator;
        double lastWhite;
    } cases[] = {
        {0, false, 0, 12, 12, 1.0},
        {1, false, 12, 12, 24, 0.89368},
        {2, true, 24, 24, 74, 0.78736},
        {3, true, 36, 36, 86, 0.68104},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        CategoryTableViewCell cell;
        cell.resize(320, CategoryTableViewCell::kHeight);
        cell.prepareCellForCategory(nodeAtLevel(c.level), 0, {0, 0}, c.editing);
        EXPECT_EQ(cell.levelIndicatorConstant(), c.inset);
        EXPECT_EQ(cell.divisionMarginConstant(), c.division);
        EXPECT_EQ(cell.separatorInsetLeft(), c.separator);
        EXPECT_FALSE(cell.checkMarkImageView()); // type 0 has none
        clock->advance(1);
        const QList<QWidget*> steps = cell.gradientSubviews();
        ASSERT_EQ(steps.size(), c.level + 1);
        for (int i = 0; i <= c.level; ++i)
            EXPECT_EQ(steps.at(i)->geometry().x(), 12 * i);
        EXPECT_NEAR(CategoryTableViewCell::getWhiteColorForLevel(c.level), c.lastWhite, 1e-9);
        EXPECT_NEAR(steps.last()->palette().color(QPalette::Window).redF(), c.lastWhite, 0.005);
    }
}

TEST_F(CategoryCells, ChooserTextsChevronAndMark) {
    auto root = ProductCategory::init();
    root->setName("Comida");
    for (const char* name : {"Postres", "Pastas"}) {
        auto child = ProductCategory::init();
        child->setName(name);
        root->addSubcategory(child);
    }
    root->setIsOpen(true);
    CategoryTableViewCell cell;
    cell.prepareCellForCategoryMarkAsSelected(root, 1, {0, 0}, false, true);
    EXPECT_EQ(cell.subcategoryTitleLabel()->text(), QStringLiteral("2 subcategorías"));
    EXPECT_FALSE(cell.productsQuantityLabel()); // the chooser shows no count
    EXPECT_EQ(cell.chevronImageView()->property("imageName").toString(),
              QStringLiteral("chevron_up.png"));
    clock->advance(1); // the background lands first and resets the mark
    EXPECT_EQ(cell.levelIndicatorConstant(), 0);
    clock->advance(9);
    EXPECT_TRUE(cell.isMarked());
    EXPECT_EQ(cell.levelIndicatorConstant(), 34);
    EXPECT_EQ(cell.divisionMarginConstant(), 12 + 34);

    auto single = ProductCategory::init();
    single->addSubcategory(ProductCategory::init());
    CategoryTableViewCell other;
    other.prepareCellForCategory(single, 1, {0, 1}, false);
    EXPECT_EQ(other.subcategoryTitleLabel()->text(), QStringLiteral("1 subcategoría"));
    EXPECT_EQ(other.chevronImageView()->property("imageName").toString(),
              QStringLiteral("chevron_down.png"));
    auto leaf = ProductCategory::init();
    other.prepareCellForCategory(leaf, 1, {0, 2}, false);
    EXPECT_TRUE(other.subcategoryTitleLabel()->text().isEmpty());
    EXPECT_TRUE(other.chevronImageView()->isHidden());
}

TEST_F(CategoryCells, EditingTabsAndNewItemRow) {
    NewItemTableViewCell row;
    EXPECT_EQ(row.itemTitleLabel()->text(), QStringLiteral("Nuevo producto"));

    source->categories = {QVariantMap{{"categoryName", "Bebidas"}, {"categoryId", 1}}};
    auto* tabs = qobject_cast<ItemsAndCategoriesTabController*>(
        Storyboard::instantiate(CatalogScreens::itemsAndCategories));
    ASSERT_TRUE(tabs);
    Window window;
    window.setRootViewController(tabs);
    window.makeKeyAndVisible();
    clock->advance(100);
    EXPECT_EQ(tabs->viewControllers().size(), 2); // the third tab goes at load
    EXPECT_EQ(tabs->tabTitle(1), QStringLiteral("Categorías"));
    EXPECT_EQ(tabs->title(), QStringLiteral("Productos"));
    EXPECT_EQ(tabs->selectedIndex(), 0);
    EXPECT_TRUE(tabs->isInstanced());
}

TEST_F(CategoryCells, EditingTabsMenuButtonRevealsTheSideMenu) {
    auto* tabs = qobject_cast<ItemsAndCategoriesTabController*>(
        Storyboard::instantiate(CatalogScreens::itemsAndCategories));
    ASSERT_TRUE(tabs);
    tabs->revealMenu(); // outside a side-menu container nothing happens
    auto* container = new SlidingViewController();
    container->setUnderLeftViewController(new ViewController());
    container->setTopViewController(tabs);
    Window window;
    window.setRootViewController(container);
    window.makeKeyAndVisible();
    clock->advance(100);
    tabs->revealMenu();
    clock->advance(SlidingViewController::kSlideMs);
    EXPECT_EQ(container->currentTopViewPosition(), SlidingViewController::Position::AnchoredRight);
    EXPECT_GT(container->topViewOffset(), 0);
}
