#include "shop/ShopHandOver.h"

#include "platform/ui/NavigationController.h"
#include "platform/ui/Storyboard.h"
#include "reader/DSpreadViewControllerDelegate.h"
#include "shop/BuyReader.h"

#include <QPointer>

namespace {

const QColor kBarTint = QColor::fromRgbF(250 / 255.0, 250 / 255.0, 250 / 255.0, 1);

ViewController* shopRoot(ViewController* screen) {
    ViewController* nav = screen->navigationController();
    return nav ? nav : screen;
}

// On a pad: the presenting container's top screen sends the sale once the shop is gone.
void closeThenProcessSale(ViewController* screen) {
    ViewController* root = shopRoot(screen);
    ViewController* presenting = root->presentingViewController();
    ViewController* top = presenting;
    if (auto* nav = qobject_cast<NavigationController*>(presenting))
        top = nav->topViewController();
    QPointer<ViewController> target(top);
    if (!presenting) {
        return;
    }
    root->dismissViewControllerAnimated(true, [target] {
        if (!target)
            return;
        if (auto* cardReading = dynamic_cast<DSpreadViewControllerDelegate*>(target.data()))
            cardReading->processSale();
    });
}

ViewController* cardReadingScreen() {
    return Storyboard::instantiate(QStringLiteral("Payment"), QStringLiteral("Device"));
}

void dismissShop(ViewController* screen) {
    ViewController* root = shopRoot(screen);
    if (root->presentingViewController())
        root->dismissViewControllerAnimated(true);
}

// Begins a hand-over. On a pad the shop closes and the sale goes to the screen below: null. On a
// phone: the card-reading screen for the caller to push, the shop's bar shown; null, the shop
// closed, when there is no stack or no card-reading screen.
ViewController* cardReadingFor(ViewController* screen) {
    if (screen->isIpad()) {
        closeThenProcessSale(screen);
        return nullptr;
    }
    NavigationController* nav = screen->navigationController();
    ViewController* device = nav ? cardReadingScreen() : nullptr;
    if (!device) {
        dismissShop(screen);
        return nullptr;
    }
    nav->setNavigationBarHidden(false, false);
    nav->navigationBar()->setTintColor(kBarTint);
    return device;
}

} // namespace

namespace ShopHandOver {

void fromOffer(ViewController* offer) {
    ViewController* device = cardReadingFor(offer);
    if (!device)
        return;
    NavigationController* nav = offer->navigationController();
    QList<BarButtonItem> right = device->navigationItem()->rightBarButtonItems();
    if (!right.isEmpty()) {
        right.first().title = QString("");
        device->navigationItem()->setRightBarButtonItems(right);
    }
    nav->pushViewController(device, true);
    QList<ViewController*> stack = nav->viewControllers();
    stack.removeAll(offer);
    nav->setViewControllers(stack, false);
}

void fromDone(ViewController* done) {
    ViewController* device = cardReadingFor(done);
    if (!device)
        return;
    NavigationController* nav = done->navigationController();
    nav->pushViewController(device, true);
    QList<ViewController*> stack = nav->viewControllers();
    qsizetype offerIndex = -1;
    for (qsizetype i = 0; i < stack.size(); ++i)
        if (qobject_cast<BuyReader*>(stack.at(i))) {
            offerIndex = i;
            break;
        }
    if (offerIndex >= 0)
        stack.remove(offerIndex, stack.size() - offerIndex - 1);
    nav->setViewControllers(stack, false);
}

} // namespace ShopHandOver
