#pragma once

#include "platform/ui/TableView.h"
#include "shop/ShopScreen.h"

#include <QPointer>

#include <QPushButton>

// The installment plans the paying card allows for the order total; paying places the order.
class BuyReaderPaymentsController : public ShopScreen,
                                    public TableViewDataSource,
                                    public TableViewDelegate {
    Q_OBJECT
public:
    explicit BuyReaderPaymentsController(QObject* parent = nullptr);

    void viewWillAppear(bool animated) override;
    void prepareForSegue(StoryboardSegue& segue, QObject* sender) override;
    void goToNext();
    QVariantList installments() const { return installments_; }

    // The plan rows of a plans answer, sorted by number of installments: "payments" (text),
    // "amount" and "total" (doubles), "promotionId" and "Amount" ("" when the plan has none).
    // Empty when the answer holds no plan.
    static QVariantList plansFromAnswer(const QVariantMap& answer, double total);
    static QString paymentTitle(int payments, double amount);

    int tableViewNumberOfRowsInSection(TableView* table, int section) override;
    QWidget* tableViewCellForRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    void tableViewDidSelectRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    bool apiDidFinishDownloadingWithDictionary(int functionName,
                                               const std::optional<QVariantMap>& answer) override;
    void apiDidFailWithError(const TarvelloError& error, int functionName) override;

protected:
    QWidget* loadView() override;

private:
    void failed(int functionName, const QString& message);
    void markRows();

    QVariantList installments_;
    QPointer<TableView> tableView_;
    QPointer<QPushButton> continueButton_;
};
