#pragma once

#include "model/Item.h"

#include <QString>

class QObject;
class ViewController;

// The sale-input tab bar as other screens drive it.
class InputTabBarProtocol {
public:
    virtual ~InputTabBarProtocol() = default;
    virtual void addItemSkipReloadCatalog(const ItemPtr& item, bool skipReloadCatalog) = 0;
    virtual void updateSaleComponent() = 0;
    virtual void cleanSale() = 0;
    virtual int selectedIndex() const = 0;
    virtual void tryToProcessSale() = 0;
};

// The tab bar as the parent of its tabs; the first argument is the tab that calls. The last
// three are optional: their defaults answer that they are not implemented.
class InputTabBarChildControllersDelegate {
public:
    virtual ~InputTabBarChildControllersDelegate() = default;
    virtual void inputTabBarChildWillUpdateSaleComponent(ViewController* child) = 0;
    virtual void inputTabBarChildWillUpdateSaleComponentReloadingCatalog(ViewController* child,
                                                                         bool reload) = 0;
    virtual void inputTabBarChildWillCleanSale(ViewController* child) = 0;
    virtual void inputTabBarChildWillAddItem(ViewController* child, const ItemPtr& item) = 0;
    virtual void inputTabBarChildWillAddItemSkipCatalogReload(ViewController* child,
                                                              const ItemPtr& item, bool skip) = 0;
    virtual void inputTabBarChildWillDeleteItem(ViewController* child, const ItemPtr& item) = 0;
    virtual bool inputTabBarChildIsItemDuplicated(ViewController* child, const ItemPtr& item) = 0;
    virtual bool inputTabBarChildIsCatalogVisible(ViewController* child) = 0;
    virtual void inputTabBarChildWillProcessSaleWithAction(ViewController* child,
                                                           QObject* action) = 0;
    virtual bool inputTabBarChildWillBeginLoading(ViewController* child) {
        (void)child;
        return false;
    }
    virtual bool inputTabBarChildDidFinishLoading(ViewController* child) {
        (void)child;
        return false;
    }
    virtual bool inputTabBarChildWillChangeParentTitle(ViewController* child,
                                                       const QString& title) {
        (void)child;
        (void)title;
        return false;
    }
};

// The summary that line editors report to.
class ResumeItemEditDelegate {
public:
    virtual ~ResumeItemEditDelegate() = default;
    virtual void editUpdateItem(const ItemPtr& item) = 0;
    virtual void deleteItem(const ItemPtr& item) = 0;
};

// A tab of the sale-input tab bar: takes the tab bar as its parent delegate.
class InputTabBarChild {
public:
    virtual ~InputTabBarChild() = default;
    virtual void setChildDelegate(InputTabBarChildControllersDelegate* delegate) = 0;
    // The sale was cleaned or changed by the tab bar; the tab shows it.
    virtual void cleanSale() {}
    virtual void updateSaleComponent() {}
};
