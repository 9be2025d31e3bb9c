#pragma once

#include "api/APIControllerDelegate.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QVariantList>
#include <memory>
#include <optional>

// The receipt step's list of the merchant's buyers: a new-customer row, then the buyers sorted
// by full name, filtered by the words of the search bar. A tap opens the buyer-data form
// ("buyerDataSegue") with the chosen record, none for a new customer; the skip button moves on
// without a receipt ("continueSegue").
//
// Outlets by objectName: "searchBar", "header", "tableView". Cells: "NewBuyerCell" (label
// "newCustomerLabel"), "NoResultsCell" (label "noResultsLabel"), "BuyerCell" (labels "name",
// "lastAccess"; pictures "userPicture", "noPicture").
class SendReceiptListController : public ViewController,
                                  public SaleReceiver,
                                  public APIControllerDelegate,
                                  public TableViewDataSource,
                                  public TableViewDelegate {
    Q_OBJECT
public:
    explicit SendReceiptListController(QObject* parent = nullptr);

    void setSale(std::shared_ptr<Sale> sale) override { sale_ = std::move(sale); }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidDisappear(bool animated) override;
    void prepareForSegue(StoryboardSegue& segue, QObject* sender) override;
    int supportedInterfaceOrientations() const override { return 2; }

    // The search as typed into the search bar.
    void searchBarTextDidChange(const QString& text);
    void skip();

    const std::optional<QVariantList>& buyersList() const { return buyersList_; }
    QVariantList filteredTableData() const { return filteredTableData_; }
    bool isFiltered() const { return isFiltered_; }
    std::optional<QVariantMap> selectedBuyer() const { return selectedBuyer_; }
    TableView* tableView() const { return tableView_; }
    QLineEdit* searchBar() const { return searchBar_; }

    int tableViewNumberOfRowsInSection(TableView* table, int section) override;
    QWidget* tableViewCellForRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    void tableViewDidSelectRowAtIndexPath(TableView* table, IndexPath indexPath) override;

    void apiDidFailWithError(const TarvelloError& error, int functionName) override;
    bool
    apiDidFinishDownloadingWithDictionary(int functionName,
                                          const std::optional<QVariantMap>& dictionary) override;

    // Whether a buyer record matches the search text: every word in its first name, last name
    // or e-mail (case-insensitive), or as many name hits as the name has parts.
    static bool recordMatches(const QVariantMap& record, const QString& text);

protected:
    QWidget* loadView() override;

private:
    bool noMatches() const { return isFiltered_ && filteredTableData_.isEmpty(); }
    QVariantMap recordAtRow(int row) const;

    std::shared_ptr<Sale> sale_;
    std::optional<QVariantList> buyersList_;
    QVariantList filteredTableData_;
    bool isFiltered_ = false;
    std::optional<QVariantMap> selectedBuyer_;
    QPointer<QLineEdit> searchBar_;
    QPointer<QLabel> header_;
    QPointer<TableView> tableView_;
};
