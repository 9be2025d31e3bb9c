#pragma once

#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"

#include <QPointer>
#include <QStringList>
#include <functional>

// A list of texts with one chosen row; the completion is told the chosen row once, then the
// sheet closes. Quantities in the catalogue, provinces in the shipping step.
class BuyReaderSelectAmountController : public ViewController,
                                        public TableViewDataSource,
                                        public TableViewDelegate {
    Q_OBJECT
public:
    explicit BuyReaderSelectAmountController(QObject* parent = nullptr);

    QStringList items() const { return items_; }
    void setItems(const QStringList& items) { items_ = items; }
    int selected() const { return selected_; }
    void setSelected(int row) { selected_ = row; }
    void setCompletion(std::function<void(int)> completion) { completion_ = std::move(completion); }

    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void cancel();

    int tableViewNumberOfRowsInSection(TableView* table, int section) override;
    QWidget* tableViewCellForRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    void tableViewDidSelectRowAtIndexPath(TableView* table, IndexPath indexPath) override;

protected:
    QWidget* loadView() override;

private:
    QStringList items_;
    int selected_ = 0;
    std::function<void(int)> completion_;
    QPointer<TableView> tableView_;
};
