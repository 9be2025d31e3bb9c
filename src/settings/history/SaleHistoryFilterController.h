#pragma once

#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"

#include <QDateTime>
#include <QVariantList>
#include <QVariantMap>
#include <optional>

class SaleHistoryDateCell;

// Told of the period the merchant confirmed: a filter entry with "index", "name", "from" and
// "to".
class SaleHistoryFilterDelegate {
public:
    virtual ~SaleHistoryFilterDelegate() = default;
    virtual void changeFilter(const QVariantMap& filter) = 0;
};

// The sales history's period: today, the last 7 days, the last 30 days or a custom range picked
// on two inline date pickers. Confirming hands the entry to the delegate and closes the screen.
//
// A filter entry is {"index": 0..3, "name": text, "from": moment, "to": moment}; the custom
// entry of the list has no "from" and "to" until it is confirmed. Days start at the calendar's
// start of day in the present moment's time zone (WallClock), also on a day the clocks change.
class SaleHistoryFilterController : public ViewController,
                                    public TableViewDataSource,
                                    public TableViewDelegate {
    Q_OBJECT
public:
    static constexpr int kCustomRow = 3;
    static constexpr int kListRowHeight = 44;

    explicit SaleHistoryFilterController(QObject* parent = nullptr);

    // The four entries from the present moment, e.g. on 10 March at 15:20:
    // {0, "Hoy", 10 March 00:00, 10 March 00:00}, {1, "Últimos 7 días", 3 March 00:00, 10 March
    // 00:00}, {2, "Últimos 30 días", 9 February 00:00, 10 March 00:00}, {3, "Personalizado"}.
    static QVariantList filters();

    // The entry in force, set before the screen shows. An index outside 0 to 3, or the custom
    // index without both dates, counts as today.
    QVariantMap selectedFilter() const { return selectedFilter_; }
    void setSelectedFilter(const QVariantMap& filter) { selectedFilter_ = filter; }
    SaleHistoryFilterDelegate* delegate() const { return delegate_; }
    void setDelegate(SaleHistoryFilterDelegate* delegate) { delegate_ = delegate; }

    TableView* tableView() const { return tableView_; }
    QVariantList options() const { return options_; }
    QDateTime from() const { return from_; }
    QDateTime to() const { return to_; }
    // The selected period row, or none.
    std::optional<int> selectedRow() const;

    // Bar button actions: close without telling; hand the chosen entry over, then close.
    void back();
    void done();
    // From the date cells; the other end follows so that from is never after to.
    void changedFromDate(const QDateTime& date);
    void changedToDate(const QDateTime& date);
    SaleHistoryDateCell* fromCell() const;
    SaleHistoryDateCell* toCell() const;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    int tableViewNumberOfRowsInSection(TableView* table, int section) override;
    QWidget* tableViewCellForRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    int tableViewHeightForRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    void tableViewDidSelectRowAtIndexPath(TableView* table, IndexPath indexPath) override;

protected:
    QWidget* loadView() override;

private:
    // What a tap on the row selects: the row, or none when the selection stays.
    std::optional<int> willSelectRow(int row);
    void selectRow(int row);
    void showSelection();
    void toggleDateCell(SaleHistoryDateCell* tapped, SaleHistoryDateCell* other);

    QVariantMap selectedFilter_;
    SaleHistoryFilterDelegate* delegate_ = nullptr;
    TableView* tableView_ = nullptr;
    QVariantList options_;
    QDateTime from_;
    QDateTime to_;
    int selectedRow_ = -1;
};
