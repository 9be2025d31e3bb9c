#pragma once

#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "api/APIConfiguration.h"
#include "model/Buyers.h"
#include "model/CreditCard.h"
#include "model/Sale.h"
#include "payment/signature_receipts/SignatureReceiptScreens.h"
#include "platform/core/DocumentsFolder.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/Window.h"
#include "support/SandboxBackEnd.h"
#include "support/SandboxFixture.h"
#include "support/TestSupport.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include <QDir>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The screen that presents the area's screens and takes the ends of the flow.
struct FlowHost : ViewController, FlowEndDelegate {
    QList<std::shared_ptr<Sale>> payments;
    QList<std::shared_ptr<Sale>> operations;
    void paymentDone(std::shared_ptr<Sale> sale) override { payments << sale; }
    void operationDone(std::shared_ptr<Sale> sale) override { operations << sale; }
    int ends() const { return int(payments.size() + operations.size()); }
};

// A sandbox back end, a user signed in to it, the manual clock, a Documents folder and a
// window whose root takes the ends of the flow.
class SignatureReceiptTest : public ::testing::Test {
protected:
    void SetUp() override {
        TarvelloSDK::sharedSDK().startWithAPIKey(sandbox.apiKey());
        ASSERT_TRUE(useSandboxBackEnd(sandbox));
        token = sandbox.merchantToken();
        userId = QString::number(sandbox.state().userForToken(token)->userId);
        User::instance().setToken(token);
        User::instance().setUserId(userId);
        Services::set(std::make_shared<DocumentsFolder>(documents.path()));
        SignatureReceiptScreens::registerScreens();
        AccountSettings::instance().setTutorialAmount(true);
        Buyers::instance().setCountriesListCache({});
        host = new FlowHost();
        window.setRootViewController(host);
        window.widget()->resize(568, 320);
        window.makeKeyAndVisible();
    }
    void TearDown() override {
        Services::set<DocumentsFolder>(nullptr);
        Services::set<APIConfiguration>(nullptr);
        User::instance().reset();
    }

    // Runs the event loop and the clock until the condition holds.
    bool settle(const std::function<bool()>& condition) {
        return waitUntil([&] {
            clock->advance(10);
            return condition();
        });
    }
    // Lets pending answers arrive without expecting anything.
    void drain(int rounds = 30) {
        for (int i = 0; i < rounds; ++i) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            clock->advance(10);
        }
    }
    SystemAlert* alertOver(ViewController* screen) {
        return qobject_cast<SystemAlert*>(screen->presentedViewController());
    }
    // A sale the sandbox knows, paid by card.
    std::shared_ptr<Sale> cardSale(double amount,
                                   const QString& holder = QStringLiteral("DIAZ/ANA")) {
        SandboxSale record;
        record.amount = amount;
        record.paymentMethod = QStringLiteral("card");
        record.status = QStringLiteral("approved");
        const qint64 id = sandbox.state().addSale(record).id;
        auto sale = Sale::init();
        sale->setSaleId(QString::number(id));
        sale->setPaidWithCreditCard(true);
        sale->setSubtotal(Amount::initWithDouble(amount));
        auto card = std::make_shared<CreditCard>();
        card->setName(holder);
        card->setNumber(QStringLiteral("5555555555554444"));
        card->setNumberLast4(QStringLiteral("4444"));
        sale->setCreditCard(card);
        return sale;
    }
    QList<SandboxRequest> requestsTo(const char* endpoint) {
        return sandbox->requestsTo(SandboxServer::apiPath(QLatin1String(endpoint)));
    }

    TemporaryDefaults defaults;
    QTemporaryDir documents;
    SandboxFixture sandbox;
    ScopedManualClock clock;
    Window window;
    FlowHost* host = nullptr;
    QString token;
    QString userId;
};

// Sends a mouse event with its time stamp in milliseconds.
inline void sendMouse(QWidget* widget, QEvent::Type type, QPointF at, ulong ms) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::MouseButtons() : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, Qt::NoModifier);
    event.setTimestamp(ms);
    QCoreApplication::sendEvent(widget, &event);
}

// A stroke through the points, one sample every stepMs milliseconds from startMs.
inline void drawStroke(QWidget* widget, const QList<QPointF>& points, ulong startMs = 1000,
                       ulong stepMs = 10) {
    ulong t = startMs;
    sendMouse(widget, QEvent::MouseButtonPress, points.first(), t);
    for (qsizetype i = 1; i < points.size(); ++i)
        sendMouse(widget, QEvent::MouseMove, points[i], t += stepMs);
    sendMouse(widget, QEvent::MouseButtonRelease, points.last(), t);
}

// The number of pixels in the rectangle darker than mid grey.
inline int inkPixels(const QImage& image, const QRect& area) {
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) > 128 && qGray(pixel) < 128)
                ++count;
        }
    return count;
}
