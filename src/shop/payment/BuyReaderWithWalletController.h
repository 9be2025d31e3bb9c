#pragma once

#include "platform/ui/TableView.h"
#include "shop/ShopScreen.h"

#include <QPointer>
#include <optional>

#include <QLabel>
#include <QPushButton>

// The buyer's stored wallet cards, the favourite first and chosen; paying writes the wallet
// payment and goes on, through the security code when the card asks for it.
class BuyReaderWithWalletController : public ShopScreen,
                                      public TableViewDataSource,
                                      public TableViewDelegate {
    Q_OBJECT
public:
    explicit BuyReaderWithWalletController(QObject* parent = nullptr);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void prepareForSegue(StoryboardSegue& segue, QObject* sender) override;
    void goToNext();
    const std::optional<QVariantList>& cards() const { return cards_; }

    // The usable cards (with "uid" and "cc"), favourites first, in the answer's order otherwise.
    static QVariantList usableCards(const QVariantList& payments);

    int numberOfSectionsInTableView(TableView* table) override;
    int tableViewNumberOfRowsInSection(TableView* table, int section) override;
    QWidget* tableViewCellForRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    bool apiDidFinishDownloadingWithDictionary(int functionName,
                                               const std::optional<QVariantMap>& answer) override;
    void apiDidFailWithError(const TarvelloError& error, int functionName) override;

protected:
    QWidget* loadView() override;

private:
    void leaveWithMessage(const QString& message);
    QVariantMap selectedCard() const;

    std::optional<QVariantList> cards_;
    QPointer<TableView> tableView_;
    QPointer<QPushButton> continueButton_;
    QPointer<QLabel> termsTextView_;
};
