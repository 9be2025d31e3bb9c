#pragma once

#include "platform/core/ServiceRegistry.h"
#include "platform/ui/Clock.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/Window.h"
#include "settings/history/WallClock.h"
#include "support/SandboxBackEnd.h"
#include "support/TestSupport.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include <QCoreApplication>
#include <QTimeZone>
#include <QWidget>
#include <gtest/gtest.h>

namespace historytest {

// Where the area's screenshots go: build/screenshots/settings/.
inline QString historyShotPath(const QString& name) {
    return areaScreenshotPath(QStringLiteral("settings"), name);
}

// A phone-sized host window, the manual clock and a wall clock standing at a chosen moment
// (Buenos Aires time unless a test picks another).
class HistoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        TarvelloSDK::sharedSDK().startWithAPIKey(QStringLiteral("sbx_live_4f1c9a7e2d"));
        host.resize(375, 667);
        host.show();
        window = Window::forWidget(&host);
        standAt(QDateTime(QDate(2023, 3, 10), QTime(15, 20, 30, 250), zone));
    }
    void TearDown() override {
        while (window && !window->presentedViewControllers().isEmpty())
            window->rootViewController()->dismissViewControllerAnimated(false);
        settle();
        Services::set<WallClock>(nullptr);
    }
    void standAt(const QDateTime& moment) {
        Services::set<WallClock>(std::make_shared<FixedWallClock>(moment));
    }
    void settle() {
        for (int i = 0; i < 4; ++i) {
            clock->advance(400);
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    QTimeZone zone{QByteArrayLiteral("America/Argentina/Buenos_Aires")};
    ScopedManualClock clock;
    QWidget host;
    Window* window = nullptr;
};

} // namespace historytest
