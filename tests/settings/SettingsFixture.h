#pragma once

#include "SDK/session/AccountSettings.h"
#include "SDK/session/SessionTimer.h"
#include "SDK/session/User.h"
#include "api/APIConfiguration.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"
#include "settings/configuration/ConfigurationController.h"
#include "support/ClockTestSupport.h"
#include "support/SandboxBackEnd.h"
#include "support/SandboxFixture.h"
#include "support/TestSupport.h"
#include "ui_kit/CustomActivityView/ActivityIndicator.h"
#include "ui_kit/texts/Language.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <gtest/gtest.h>

namespace settingstest {

// Where the area's screenshots go: build/screenshots/settings/.
inline QString screenshotPath(const QString& name) {
    return areaScreenshotPath(QStringLiteral("settings"), name);
}

// The host application: a phone-sized window, the facade started against the sandbox with the
// merchant's token, no one logged in yet, and the manual clock.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(useSandboxBackEnd(sandbox));
        TarvelloSDK::sharedSDK().startWithAPIKey(sandbox.apiKey());
        TarvelloSDK::sharedSDK().setUserToken(sandbox.merchantToken());
        User::instance().reset();
        AccountSettings::instance().reset();
        host.resize(375, 667);
        host.show();
        window = Window::forWidget(&host);
    }

    void TearDown() override {
        while (!window->presentedViewControllers().isEmpty())
            window->rootViewController()->dismissViewControllerAnimated(false);
        settle();
        User::instance().reset();
        AccountSettings::instance().reset();
        Services::set<APIConfiguration>(nullptr);
    }

    // Runs the event loop and the clock until the condition holds (or about ten seconds pass).
    bool waitFor(const std::function<bool()>& condition) {
        return waitOnClock(clock.clock(), condition);
    }

    // Lets every animation and deferred deletion finish.
    void settle() { settleTransitions(clock.clock(), 6); }

    // Opens the settings through the facade and waits until the screen shows.
    ConfigurationController* openSettings(bool allowPicture = true) {
        TarvelloSDK::sharedSDK()
            .presentSettingsFromViewControllerAllowPictureChangeAllowReaderChange(
                &host, allowPicture, true);
        if (!waitFor([this] { return screen() && screen()->isVisible(); }))
            return nullptr;
        settle();
        return screen();
    }

    NavigationController* sheet() const {
        const auto stack = window->presentedViewControllers();
        return stack.isEmpty() ? nullptr : qobject_cast<NavigationController*>(stack.first());
    }
    ConfigurationController* screen() const {
        NavigationController* nav = sheet();
        return nav && !nav->viewControllers().isEmpty()
                   ? qobject_cast<ConfigurationController*>(nav->viewControllers().first())
                   : nullptr;
    }
    // The alert on top of the window, if any.
    SystemAlert* alert() const {
        const auto stack = window->presentedViewControllers();
        return stack.isEmpty() ? nullptr : qobject_cast<SystemAlert*>(stack.last());
    }
    QString alertMessage() const { return alert() ? alert()->message() : QString(); }

    QString label(const QString& name) {
        auto* widget = screen()->outlet<QLabel>(name);
        return widget ? widget->text() : QStringLiteral("<none>");
    }
    void tap(const QString& name) {
        auto* button = screen()->outlet<QAbstractButton>(name);
        ASSERT_NE(button, nullptr) << name.toStdString();
        button->click();
    }
    // The requests the sandbox got for an endpoint.
    QList<SandboxRequest> sent(const QString& endpoint) {
        return sandbox->requestsTo(SandboxServer::apiPath(endpoint));
    }
    bool waitForRequest(const QString& endpoint, int count = 1) {
        return waitFor([&] { return sent(endpoint).size() >= count; });
    }
    bool waitForAlert() {
        return waitFor([this] { return alert() && alert()->isVisible(); });
    }

    ScopedManualClock clock;
    TemporaryDefaults defaults;
    SandboxFixture sandbox;
    QWidget host;
    Window* window = nullptr;
};

} // namespace settingstest
