#include "payment/SaleEntryScreens.h"

#include "catalog/InputTabBarProtocol.h"
#include "model/Sale.h"
#include "model/values/Amount.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/SlidingViewController.h"
#include "platform/ui/TabBarController.h"

#include <QLabel>
#include <QLineEdit>

ViewController* saleEntryScreenFor(const ViewController* screen) {
    if (!screen)
        return nullptr;
    const ViewController* level = screen;
    if (SlidingViewController* container = SlidingViewController::slidingViewControllerFor(screen))
        level = container->topViewController();
    else
        while (ViewController* below = level->parentViewController()
                                           ? level->parentViewController()
                                           : level->presentingViewController())
            level = below;
    auto* navigation = qobject_cast<NavigationController*>(const_cast<ViewController*>(level));
    if (!navigation)
        return nullptr;
    const QList<ViewController*> stack = navigation->viewControllers();
    return stack.isEmpty() ? nullptr : stack.first();
}

bool resetSaleEntryScreen(ViewController* screen) {
    if (auto* keypad = dynamic_cast<AmountKeypadScreen*>(screen)) {
        if (keypad->sale())
            keypad->sale()->cleanSale();
        keypad->setCurrentItem(Item::init());
        if (keypad->amount())
            keypad->amount()->setText(Amount::init()->resetAmount());
        if (keypad->itemDescription())
            keypad->itemDescription()->setText(QString());
        if (keypad->itemPictureBorder())
            keypad->itemPictureBorder()->hide();
        if (keypad->itemPicture())
            keypad->itemPicture()->setImage(QImage());
        keypad->updateTotalAmount();
        return false;
    }
    auto* input = dynamic_cast<InputTabBarProtocol*>(screen);
    if (!input)
        return false;
    input->cleanSale();
    input->updateSaleComponent();
    if (auto* tabs = qobject_cast<TabBarController*>(screen)) {
        const QList<ViewController*> children = tabs->viewControllers();
        const int selected = input->selectedIndex();
        if (selected >= 0 && selected < children.size())
            if (auto* manual = dynamic_cast<ManualAmountTab*>(children[selected]))
                manual->createDefaultItem();
    }
    return true;
}
