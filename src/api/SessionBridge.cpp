#include "api/SessionBridge.h"

#include "SDK/session/SessionExpiry.h"
#include "SDK/session/SessionTimer.h"
#include "SDK/session/User.h"
#include "api/APIController.h"
#include "api/HostCredentials.h"
#include "ui_kit/texts/Language.h"

namespace SessionBridge {

std::optional<QString> apiKey() {
    // Read without the start-order assertion: the facade's entry points assert before any
    // request, and a request (possibly on a worker thread) must never stop the program.
    return HostCredentials::apiKey();
}

QString userToken() {
    return User::instance().token();
}

void expireSession() {
    SessionExpiry::expire();
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
