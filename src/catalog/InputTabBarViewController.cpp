#include "catalog/InputTabBarViewController.h"

#include "catalog/CatalogInputBigController.h"
#include "catalog/CatalogLook.h"
#include "catalog/CatalogScreens.h"
#include "catalog/SaleLines.h"
#include "model/Catalog.h"
#include "model/Sale.h"
#include "model/values/Currency.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/View.h"
#include "ui_kit/AlertController.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QVBoxLayout>
#include <algorithm>

InputTabBarViewController::InputTabBarViewController(QObject* parent)
    : TabBarController(parent)
    , sale_(&Sale::sharedSale())
    , currency_(Currency::instance()) {}

QWidget* InputTabBarViewController::loadView() {
    QWidget* root = TabBarController::loadView();
    auto* summary = new QWidget(root);
    summary->setObjectName(QStringLiteral("processSaleContainer"));
    summary->setAutoFillBackground(true);
    View::setBackgroundColor(summary, QColor(247, 247, 247));
    auto* row = new QHBoxLayout(summary);
    row->setContentsMargins(12, 6, 12, 6);
    titleCurrencyButton_ = new QPushButton(summary);
    titleCurrencyButton_->setObjectName(QStringLiteral("titleCurrencyButton"));
    titleCurrencyButton_->setFlat(true);
    summaryLabel_ = new QLabel(summary);
    summaryLabel_->setObjectName(QStringLiteral("summaryLabel"));
    summaryLabel_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Medium"), 17));
    cartButton_ = new QPushButton(CatalogLook::text("SaleDetails", "sale"), summary);
    cartButton_->setObjectName(QStringLiteral("cartButton"));
    processSaleButton_ =
        new QPushButton(CatalogLook::text("EditIndividualSale", "collect"), summary);
    processSaleButton_->setObjectName(QStringLiteral("processSaleButton"));
    row->addWidget(titleCurrencyButton_);
    row->addWidget(summaryLabel_, 1);
    row->addWidget(cartButton_);
    row->addWidget(processSaleButton_);
    connect(cartButton_, &QPushButton::clicked, this, [this] { showCart(); });
    connect(processSaleButton_, &QPushButton::clicked, this, [this] { tryToProcessSale(); });
    static_cast<QVBoxLayout*>(root->layout())->insertWidget(0, summary);
    return root;
}

void InputTabBarViewController::viewDidLoad() {
    setTintColor(CatalogLook::mainColor());
    auto* catalog = new CatalogInputBigController(0);
    catalog->setChildDelegate(this);
    catalogInput_ = catalog;
    QList<ViewController*> tabs{catalog};
    if (ViewController* manual = Storyboard::instantiate(CatalogScreens::manualInput)) {
        if (auto* child = dynamic_cast<InputTabBarChild*>(manual))
            child->setChildDelegate(this);
        manualInput_ = manual;
        tabs.append(manual);
    }
    setViewControllers(tabs);
    setTabTitle(0, CatalogLook::text("GlobalTexts", "catalog"));
    if (manualInput_)
        setTabTitle(1, CatalogLook::text("GlobalTexts", "keyboard"));
    setTabBarHidden(tabs.size() < 2);
}

void InputTabBarViewController::viewWillAppear(bool animated) {
    TabBarController::viewWillAppear(animated);
    sale_ = &Sale::sharedSale();
    updateSaleComponent();
}

void InputTabBarViewController::viewDidAppear(bool animated) {
    TabBarController::viewDidAppear(animated);
    if (justOpened_) {
        // Right after login: start loading the catalog for the first tab.
        justOpened_ = false;
        Catalog::instance().loadProducts([](const std::optional<ProductList>&) {});
    }
}

void InputTabBarViewController::didSelectTab(int index) {
    lastIndexSelected_ = index;
    setSelectedIndex(index);
}

void InputTabBarViewController::reloadTabs(bool reloadCatalog) {
    for (ViewController* tab : viewControllers()) {
        if (tab == catalogInput_ && !reloadCatalog)
            continue;
        if (auto* child = dynamic_cast<InputTabBarChild*>(tab))
            child->updateSaleComponent();
    }
}

void InputTabBarViewController::addItemSkipReloadCatalog(const ItemPtr& item,
                                                         bool skipReloadCatalog) {
    SaleLines::addUnit(*sale_, item);
    refreshSummary();
    reloadTabs(!skipReloadCatalog);
}

void InputTabBarViewController::refreshSummary() {
    sale_->recalculateTotalAmount();
    view();
    titleCurrencyButton_->setText(currency_->format());
    const int units = sale_->totalProductsInSale();
    summaryLabel_->setText(
        units > 0 ? QStringLiteral("%1 \u00B7 %2").arg(units).arg(sale_->subtotal()->getAmount())
                  : sale_->subtotal()->getAmount());
    cartButton_->setEnabled(!sale_->items().empty());
    processSaleButton_->setEnabled(!sale_->items().empty());
}

void InputTabBarViewController::updateSaleComponent() {
    refreshSummary();
    reloadTabs(true);
}

void InputTabBarViewController::cleanSale() {
    sale_->cleanSale();
    for (ViewController* tab : viewControllers())
        if (auto* child = dynamic_cast<InputTabBarChild*>(tab))
            child->cleanSale();
    updateSaleComponent();
}

void InputTabBarViewController::showCart() {
    if (sale_->items().empty())
        return;
    performSegueWithIdentifier(CatalogScreens::cartSegue, this);
}

void InputTabBarViewController::tryToProcessSale() {
    if (sale_->items().empty())
        return;
    performSegueWithIdentifier(CatalogScreens::confirmSaleSegue, this);
}

namespace {
std::function<void(ViewController*)>& readerDemoOpener() {
    static std::function<void(ViewController*)> opener;
    return opener;
}
} // namespace

void InputTabBarViewController::setReaderDemoOpener(
    std::function<void(ViewController* target)> opener) {
    readerDemoOpener() = std::move(opener);
}

void InputTabBarViewController::demoAlert() {
    auto* alert = AlertController::alertControllerWithTitle(
        CatalogLook::text("readerDemo", "readerDemoAlertTitle"),
        CatalogLook::text("readerDemo", "readerDemoAlertMessage"));
    alert->setObjectName(QStringLiteral("demoAlert"));
    QPointer<InputTabBarViewController> self(this);
    alert->addAction(AlertAction::actionWithTitle(
        CatalogLook::text("readerDemo", "readerDemoAlertTestReaderButton"), 0, [self](auto*) {
            if (self && readerDemoOpener())
                readerDemoOpener()(self);
        }));
    alert->addAction(AlertAction::actionWithTitle(
        CatalogLook::text("readerDemo", "readerDemoAlertTestLaterButton"), 0));
    alert->addAction(AlertAction::actionWithTitle(
        CatalogLook::text("readerDemo", "readerDemoAlertCancelButton"), 1));
    presentViewController(alert, true);
}

void InputTabBarViewController::inputTabBarChildWillUpdateSaleComponent(ViewController*) {
    updateSaleComponent();
}

void InputTabBarViewController::inputTabBarChildWillUpdateSaleComponentReloadingCatalog(
    ViewController*, bool reload) {
    refreshSummary();
    if (reload)
        reloadTabs(true);
}

void InputTabBarViewController::inputTabBarChildWillCleanSale(ViewController*) {
    cleanSale();
}

void InputTabBarViewController::inputTabBarChildWillAddItem(ViewController* child,
                                                            const ItemPtr& item) {
    inputTabBarChildWillAddItemSkipCatalogReload(child, item, false);
}

void InputTabBarViewController::inputTabBarChildWillAddItemSkipCatalogReload(ViewController*,
                                                                             const ItemPtr& item,
                                                                             bool skip) {
    addItemSkipReloadCatalog(item, skip);
}

void InputTabBarViewController::inputTabBarChildWillDeleteItem(ViewController*,
                                                               const ItemPtr& item) {
    deleteItem(item);
}

bool InputTabBarViewController::inputTabBarChildIsItemDuplicated(ViewController*,
                                                                 const ItemPtr& item) {
    return item && std::any_of(sale_->items().begin(), sale_->items().end(),
                               [&item](const ItemPtr& line) { return line->isEqual(*item); });
}

bool InputTabBarViewController::inputTabBarChildIsCatalogVisible(ViewController*) {
    return selectedViewController() == catalogInput_;
}

void InputTabBarViewController::inputTabBarChildWillProcessSaleWithAction(ViewController*,
                                                                          QObject*) {
    tryToProcessSale();
}

bool InputTabBarViewController::inputTabBarChildWillChangeParentTitle(ViewController*,
                                                                      const QString& title) {
    setTitle(title);
    navigationItem()->setTitle(title);
    return true;
}

void InputTabBarViewController::editUpdateItem(const ItemPtr&) {
    updateSaleComponent();
}

void InputTabBarViewController::deleteItem(const ItemPtr& item) {
    if (item)
        sale_->removeItems({item});
    updateSaleComponent();
}
