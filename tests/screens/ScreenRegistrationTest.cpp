#include "payment/PaymentScreens.h"
#include "platform/ui/ViewController.h"
#include "settings/SettingsScreens.h"
#include "ui_kit/UIKitScreens.h"

#include <gtest/gtest.h>
#include <memory>

// This program makes no screen before these lookups, so they find only what the areas
// registered on their own.
TEST(ScreenRegistration, EveryScreenTheSDKLooksUpIsThereBeforeAnyWasMade) {
    const struct {
        ScreenName screen;
        const char* className; // null: its area is not built yet, the lookup answers null
    } lookups[] = {
        {UIKitScreens::alert, "AlertController"},
        {PaymentScreens::pickPaymentMethod, "PickPaymentMethodController"},
        {PaymentScreens::device, "DeviceController"},
        {PaymentScreens::refund, "RefundController"},
        {SettingsScreens::configurationMain, "ConfigurationController"},
    };
    for (const auto& lookup : lookups) {
        SCOPED_TRACE(QString(lookup.screen.storyboard).toStdString() + "/" +
                     QString(lookup.screen.identifier).toStdString());
        std::unique_ptr<ViewController> screen(Storyboard::instantiate(lookup.screen));
        if (!lookup.className) {
            EXPECT_FALSE(screen);
            continue;
        }
        ASSERT_TRUE(screen);
        EXPECT_STREQ(screen->metaObject()->className(), lookup.className);
        EXPECT_EQ(screen->storyboardName(), lookup.screen.storyboard);
        EXPECT_EQ(screen->storyboardIdentifier(), lookup.screen.identifier);
    }
}
