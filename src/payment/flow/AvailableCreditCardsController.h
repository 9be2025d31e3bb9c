#pragma once

#include "api/APIControllerDelegate.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"

#include <QPointer>
#include <QVariantMap>
#include <memory>

class ImageDownloader;
class Sale;

// The card institutions accepted for the sale's total ("Payment", "AvailableCreditCards"), each
// with its logo and the best plan it offers. A choice records the institution on the sale and
// goes on to card reading when the plan is fixed ("deviceSegue"), else to the plan picker
// ("pickInstallmentsSegue"). A count the host forced must be offered by the institution.
//
// Outlet "tableView"; rows are PaymentMethodCell.
class AvailableCreditCardsController : public ViewController,
                                       public SaleReceiver,
                                       public APIControllerDelegate,
                                       public TableViewDataSource,
                                       public TableViewDelegate {
    Q_OBJECT
public:
    explicit AvailableCreditCardsController(QObject* parent = nullptr);
    ~AvailableCreditCardsController() override;

    void setSale(std::shared_ptr<Sale> sale) override { sale_ = std::move(sale); }
    const QVariantMap& selectedInstitution() const { return selectedInstitution_; }

    // The line advertising the entry's best plan.
    static QString planDescription(const QVariantMap& entry);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void prepareForSegue(StoryboardSegue& segue, QObject* sender) override;
    void forceInstallmentsFailed();

    int tableViewNumberOfRowsInSection(TableView* table, int section) override;
    QWidget* tableViewCellForRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    void tableViewDidSelectRowAtIndexPath(TableView* table, IndexPath indexPath) override;

    bool
    apiDidFinishDownloadingWithDictionary(int functionName,
                                          const std::optional<QVariantMap>& dictionary) override;
    void apiDidFailWithError(const TarvelloError& error, int functionName) override;

protected:
    QWidget* loadView() override;

private:
    void showFailure(const QString& message);
    QVariantList rows() const;

    std::shared_ptr<Sale> sale_;
    QVariantMap selectedInstitution_;
    QPointer<TableView> table_;
};
