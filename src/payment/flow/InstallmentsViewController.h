#pragma once

#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"

#include <QPointer>
#include <QVariantList>
#include <memory>

class Installment;
class Sale;

// The plain installments list ("Installments", "InstallmentsViewController") for an institution
// whose options come as a list: one row per option; a choice records its count on the sale's
// card and goes on to card reading ("DeviceControllerSegue"). Outlet "tableView".
class InstallmentsViewController : public ViewController,
                                   public TableViewDataSource,
                                   public TableViewDelegate {
    Q_OBJECT
public:
    explicit InstallmentsViewController(QObject* parent = nullptr);
    ~InstallmentsViewController() override;

    const QList<std::shared_ptr<Installment>>& dataSource() const { return dataSource_; }
    // The options, before the view loads.
    Q_INVOKABLE void setupDataSourceFromArray(const QVariantList& options);

    void viewDidLoad() override;
    void prepareForSegue(StoryboardSegue& segue, QObject* sender) override;

    int tableViewNumberOfRowsInSection(TableView* table, int section) override;
    QWidget* tableViewCellForRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    int tableViewHeightForRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    void tableViewDidSelectRowAtIndexPath(TableView* table, IndexPath indexPath) override;

protected:
    QWidget* loadView() override;

private:
    QList<std::shared_ptr<Installment>> dataSource_;
    std::shared_ptr<Sale> sale_;
    QPointer<TableView> tableView_;
};
