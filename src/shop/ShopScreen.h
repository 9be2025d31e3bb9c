#pragma once

#include "api/APIControllerDelegate.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/ViewController.h"
#include "shop/PurchaseRecord.h"

#include <QString>

class APIController;
class TableView;
class TableViewDataSource;
class TableViewDelegate;
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
    // The terms line of a payment form ("termsTextView"), its links followed by followTermsLink.
    QLabel* addTermsText(QWidget* root, QVBoxLayout* column);
    // A "terms:" link opens the terms screen (segue "terms", `sender` its sender) and answers
    // false; any other link opens outside the app and answers true.
    bool followTermsLink(const QString& link, QObject* sender);

    Purchase purchase_;
};

namespace ShopLook {
// A screen's root and the column its parts stand in.
struct ScreenLayout {
    QWidget* root = nullptr;
    QVBoxLayout* column = nullptr;
};
// The root in `background` (none when empty); a flush column stands against the root's edges.
ScreenLayout screenLayout(const QString& background, bool flush);
// The screen's list ("tableView"), taking the column's free height.
TableView* addTable(const ScreenLayout& layout, TableViewDataSource* source,
                    TableViewDelegate* delegate);
// "Al pagar aceptás los Términos y Condiciones de Pagora.", the phrase a "terms:" link.
QString termsSentence();
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
