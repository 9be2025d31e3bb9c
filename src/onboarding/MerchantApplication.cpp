#include "onboarding/MerchantApplication.h"

#include "SDK/session/CacheHelper.h"
#include "onboarding/OnboardingScreens.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/Window.h"

#include <TarvelloSDK/TarvelloSDK.h>

MerchantApplication::MerchantApplication(QObject* parent)
    : QObject(parent) {}

MerchantApplication::~MerchantApplication() {
    delete window_.data();
}

QString MerchantApplication::storedSessionToken() {
    UserDefaults& store = UserDefaults::standardUserDefaults();
    if (!store.hasKey(QStringLiteral("lastUser")))
        return QString();
    const QVariantMap answer =
        CacheHelper::decodeAnswer(store.objectForKey(QStringLiteral("lastUser")).toByteArray());
    const QVariant token = answer.value(QStringLiteral("token"));
    return token.typeId() == QMetaType::QString ? token.toString() : QString();
}

void MerchantApplication::startWithAPIKey(const QString& apiKey) {
    if (window_)
        return;
    TarvelloSDK& sdk = TarvelloSDK::sharedSDK();
    sdk.startWithAPIKey(apiKey);
    // Without a stored session the check has no token and leads to the login screen.
    sdk.setUserToken(storedSessionToken());
    window_ = new Window();
    ViewController* splash = Storyboard::instantiateInitial(OnboardingScreens::loginStoryboard);
    window_->setRootViewController(splash);
    window_->makeKeyAndVisible();
}
