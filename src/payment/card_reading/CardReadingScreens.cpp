#include "payment/card_reading/CardReadingScreens.h"

#include "payment/card_reading/DeviceController.h"
#include "payment/card_reading/DeviceHelpPage.h"
#include "payment/card_reading/DeviceHelpViewController.h"
#include "payment/card_reading/DeviceSelector.h"
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
}
