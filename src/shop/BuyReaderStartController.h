#pragma once

#include "platform/ui/TableView.h"
#include "shop/ShopScreen.h"

#include <QList>
#include <QPointer>
#include <optional>

class BuyReaderCell;
#include <QPushButton>

// The reader catalogue: the readers on sale, several can be chosen, each with a quantity; buy
// starts the purchase record.
class BuyReaderStartController : public ShopScreen,
                                 public TableViewDataSource,
                                 public TableViewDelegate {
    Q_OBJECT
public:
    explicit BuyReaderStartController(QObject* parent = nullptr);

    bool fromSaleButton() const { return fromSaleButton_; }
    void setFromSaleButton(bool value) { fromSaleButton_ = value; }
    const std::optional<QVariantList>& readers() const { return readers_; }
    QList<int> amounts() const { return amounts_; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void prepareForSegue(StoryboardSegue& segue, QObject* sender) override;

    void close();
    void buy();
    void select(BuyReaderCell* cell);
    void deselect(BuyReaderCell* cell);
    void changeAmount(BuyReaderCell* cell);
    void showDetails(BuyReaderCell* cell);
    void selectDeviceIndex(int index);
    void setAmountForDeviceIndex(int amount, int index);
    bool isRowSelected(int row) const { return amounts_.value(row) > 0; }

    // Keeps the products with all twelve keys, none JSON null, and at least one picture.
    static QVariantList keptProducts(const QVariantList& products);

    int tableViewNumberOfRowsInSection(TableView* table, int section) override;
    QWidget* tableViewCellForRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    void tableViewDidSelectRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    bool apiDidFinishDownloadingWithDictionary(int functionName,
                                               const std::optional<QVariantMap>& answer) override;
    void apiDidFailWithError(const TarvelloError& error, int functionName) override;

protected:
    QWidget* loadView() override;

private:
    void refreshRows();
    void leaveWithConnectionError();

    bool fromSaleButton_ = false;
    std::optional<QVariantList> readers_;
    QList<int> amounts_;
    QPointer<TableView> tableView_;
    QPointer<QPushButton> buyButton_;
    QPointer<QObject> senderCell_;
};
