#include "api/SessionBridge.h"

#include "SDK/LoginHelper.h"
#include "SDK/SessionTimer.h"
#include "SDK/User.h"
#include "api/APIController.h"
#include "ui_kit/texts/Language.h"

#include <TarvelloSDK/TarvelloSDK.h>

namespace SessionBridge {

std::optional<QString> apiKey() {
    // Read without the start-order assertion: the facade's entry points assert before any
    // request, and a request (possibly on a worker thread) must never stop the program.
    return TarvelloSDK::sharedSDK().getApiKey();
}

QString userToken() {
    return User::instance().token();
}

void expireSession() {
    LoginHelper helper;
    helper.expireSession();
}

void handOverTimer(APIController* client, bool restartTimer) {
    SessionTimer& timer = SessionTimer::instance();
    if (restartTimer)
        timer.resetTimer();
    timer.setDelegate(client);
}

void releaseTimer(APIController* client) {
    SessionTimer::instance().removeDelegate(client);
}

QString connectionErrorText() {
    return Language::textForFile(QStringLiteral("GlobalTexts"), QStringLiteral("connError"));
}

} // namespace SessionBridge
