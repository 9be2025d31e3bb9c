#pragma once

#include <functional>

#include "SDK/session/SessionTimer.h"
#include "catalog/InputTabBarProtocol.h"
#include "platform/ui/TabBarController.h"
#include "ui_kit/ViewControllerNavigationSpecifier.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <memory>

class Currency;
class Sale;

// The screen on which the merchant builds a sale: a catalog tab and the manual amount tab (when
// its area is there), over a summary of the sale with a cart button and a process button.
class InputTabBarViewController : public TabBarController,
                                  public InputTabBarProtocol,
                                  public InputTabBarChildControllersDelegate,
                                  public ResumeItemEditDelegate,
                                  public ViewControllerNavigationSpecifier,
                                  public SessionTimerDelegate {
    Q_OBJECT
public:
    explicit InputTabBarViewController(QObject* parent = nullptr);

    Sale* sale() const { return sale_; }
    bool justOpened() const { return justOpened_; }
    void setJustOpened(bool justOpened) { justOpened_ = justOpened; }
    QString lastTile() const { return lastTile_; }
    void setLastTile(const QString& title) { lastTile_ = title; }
    std::shared_ptr<Currency> currency() const { return currency_; }
    int lastIndexSelected() const { return lastIndexSelected_; }
    ViewController* catalogInputViewController() const { return catalogInput_; }
    // The manual amount tab; null while its area is not there.
    ViewController* manualInputViewController() const { return manualInput_; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;

    // InputTabBarProtocol
    void addItemSkipReloadCatalog(const ItemPtr& item, bool skipReloadCatalog) override;
    void updateSaleComponent() override;
    void cleanSale() override;
    int selectedIndex() const override { return TabBarController::selectedIndex(); }
    // Opens the payment-method screen when the sale has lines.
    void tryToProcessSale() override;
    // Asks whether to test the reader before selling; "Probar lector" opens the card-reading
    // screen in demo mode through the opener, the other buttons only close.
    void demoAlert();
    // Opens the card-reading screen in demo mode over the target; set by the layer that has it.
    static void setReaderDemoOpener(std::function<void(ViewController* target)> opener);
    // Pushes the cart.
    void showCart();

    // InputTabBarChildControllersDelegate
    void inputTabBarChildWillUpdateSaleComponent(ViewController* child) override;
    void inputTabBarChildWillUpdateSaleComponentReloadingCatalog(ViewController* child,
                                                                 bool reload) override;
    void inputTabBarChildWillCleanSale(ViewController* child) override;
    void inputTabBarChildWillAddItem(ViewController* child, const ItemPtr& item) override;
    void inputTabBarChildWillAddItemSkipCatalogReload(ViewController* child, const ItemPtr& item,
                                                      bool skip) override;
    void inputTabBarChildWillDeleteItem(ViewController* child, const ItemPtr& item) override;
    bool inputTabBarChildIsItemDuplicated(ViewController* child, const ItemPtr& item) override;
    bool inputTabBarChildIsCatalogVisible(ViewController* child) override;
    void inputTabBarChildWillProcessSaleWithAction(ViewController* child, QObject* action) override;
    bool inputTabBarChildWillChangeParentTitle(ViewController* child,
                                               const QString& title) override;

    // ResumeItemEditDelegate
    void editUpdateItem(const ItemPtr& item) override;
    void deleteItem(const ItemPtr& item) override;

    QLabel* summaryLabel() const { return summaryLabel_; }
    QPushButton* cartButton() const { return cartButton_; }
    QPushButton* processSaleButton() const { return processSaleButton_; }

protected:
    QWidget* loadView() override;
    void didSelectTab(int index) override;

private:
    void reloadTabs(bool reloadCatalog);
    void refreshSummary();

    Sale* sale_;
    bool justOpened_ = false;
    QString lastTile_;
    std::shared_ptr<Currency> currency_;
    int lastIndexSelected_ = 0;
    QPointer<ViewController> catalogInput_;
    QPointer<ViewController> manualInput_;
    QPointer<QLabel> summaryLabel_;
    QPointer<QPushButton> titleCurrencyButton_;
    QPointer<QPushButton> cartButton_;
    QPointer<QPushButton> processSaleButton_;
};
