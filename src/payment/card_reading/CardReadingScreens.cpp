#include "payment/card_reading/CardReadingScreens.h"

#include "payment/card_reading/BuyerAddressController.h"
#include "payment/card_reading/DeviceController.h"
#include "payment/card_reading/DeviceHelpPage.h"
#include "payment/card_reading/DeviceHelpViewController.h"
#include "payment/card_reading/DeviceSelector.h"
#include "payment/card_reading/PinController.h"
#include "payment/signature_receipts/SignatureReceiptScreens.h"
#include "platform/ui/Storyboard.h"

void CardReadingScreens::registerScreens() {
    Storyboard::registerViewController(QStringLiteral("Payment"), QStringLiteral("Device"),
                                       [] { return new DeviceController(); });
    Storyboard::registerViewController(QStringLiteral("DeviceSelector"),
                                       QStringLiteral("deviceSelector"),
                                       [] { return new DeviceSelector(); });
    Storyboard::registerViewController(QStringLiteral("DeviceHelp"),
                                       QStringLiteral("DeviceHelpViewController"),
                                       [] { return new DeviceHelpViewController(); });
    for (int i = 0; i < 3; ++i)
        Storyboard::registerViewController(QStringLiteral("DeviceHelp"),
                                           QStringLiteral("Page%1").arg(i + 1), [i] {
                                               auto* page = new DeviceHelpPage();
                                               page->setPageIndex(i);
                                               return page;
                                           });
    Storyboard::registerSegue(QStringLiteral("Payment"), QStringLiteral("Device"),
                              QStringLiteral("deviceHelpSegue"),
                              {QStringLiteral("DeviceHelp"),
                               QStringLiteral("DeviceHelpViewController"),
                               SegueKind::Push,
                               {}});
    Storyboard::registerViewController(QStringLiteral("Payment"), QStringLiteral("PinController"),
                                       [] { return new PinController(); });
    Storyboard::registerViewController(QStringLiteral("Payment"),
                                       QStringLiteral("BuyerAddressController"),
                                       [] { return new BuyerAddressController(); });
    auto push = [](const char* from, const char* segue, const QString& storyboard,
                   const QString& to) {
        Storyboard::registerSegue(QStringLiteral("Payment"), QString::fromLatin1(from),
                                  QString::fromLatin1(segue),
                                  {storyboard, to, SegueKind::Push, {}});
    };
    push("Device", "enterPinSegue", QStringLiteral("Payment"), QStringLiteral("PinController"));
    push("PinController", "getAddressSegue", QStringLiteral("Payment"),
         QStringLiteral("BuyerAddressController"));
    push("PinController", "clientIdentifiedSegue",
         QString(SignatureReceiptScreens::receiptData.storyboard),
         QString(SignatureReceiptScreens::receiptData.identifier));
}
