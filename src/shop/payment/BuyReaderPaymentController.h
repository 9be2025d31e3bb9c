#pragma once

#include "platform/ui/TableView.h"
#include "shop/ShopScreen.h"

#include <QPointer>

#include <QLabel>

// The order's lines, subtotal and total, and the two ways to pay: a typed card or a wallet card.
class BuyReaderPaymentController : public ShopScreen, public TableViewDataSource {
    Q_OBJECT
public:
    explicit BuyReaderPaymentController(QObject* parent = nullptr);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void prepareForSegue(StoryboardSegue& segue, QObject* sender) override;
    void payWithCard();
    void payWithWallet();

    // Money without decimals for a whole amount, else with two.
    static QString amountText(double value);

    int tableViewNumberOfRowsInSection(TableView* table, int section) override;
    QWidget* tableViewCellForRowAtIndexPath(TableView* table, IndexPath indexPath) override;

protected:
    QWidget* loadView() override;

private:
    QPointer<TableView> tableView_;
    QPointer<QLabel> subtotalLabel_;
    QPointer<QLabel> totalLabel_;
};
