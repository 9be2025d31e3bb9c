#pragma once

#include "api/APIControllerDelegate.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/ViewController.h"
#include "shop/PurchaseRecord.h"

#include <QString>

class APIController;
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

// What the shop's screens share: the purchase record, a back-end client per request, the plain
// "OK" message, and the end of the shop when the session expires.
class ShopScreen : public ViewController, public APIControllerDelegate {
    Q_OBJECT
public:
    explicit ShopScreen(QObject* parent = nullptr);

    Purchase purchase() const { return purchase_; }
    void setPurchase(const Purchase& purchase) { purchase_ = purchase; }

    // The session ended while a shop request ran: the overlay goes, the session ends as the
    // client would end it, and the shop closes.
    bool sessionExpired() override;
    bool sessionExpiredWithMessage(const QString& message) override;
    void apiDidFailWithError(const TarvelloError& error, int functionName) override {
        (void)error;
        (void)functionName;
    }

    // Closes the whole shop: the presented stack it runs in, or this screen.
    void closeShop();

protected:
    // A client for one request, this screen its delegate.
    APIController* newClient();
    // The system alert: empty title, the message, one "OK" button that only closes it.
    void showMessage(const QString& message);

    Purchase purchase_;
};

namespace ShopLook {
// A bar button with its title, objectName and action.
BarButtonItem barButton(const QString& title, const QString& objectName,
                        std::function<void()> action);
QString text(const QString& section, const QString& key);
QString connError();
// Background the theme colour, pressed its darker shade, white title.
void styleGoButton(QPushButton* button);
QPushButton* goButton(QWidget* parent, const QString& objectName);
QLabel* label(QWidget* parent, const QString& objectName, const QString& style = {});
// "$ 1,234.50": the money text with two decimals.
QString money(double value);
// "PAGAR $ 1,234.50".
QString payTitle(double total);
// A document typed or pasted: its digits as a number grouped by "," ("12,345,678"); the empty
// text for no digits or 0.
QString groupedDocument(const QString& text);
// The digits of a text, nothing else.
QString digitsOnly(const QString& text);
} // namespace ShopLook
