#pragma once

#include "platform/ui/TableViewCell.h"

#include <QDateTime>

class QCalendarWidget;
class QLabel;
class SaleHistoryFilterController;

// One end of a custom period: its title, the chosen date written out, and an inline date
// picker shown while the cell is open. Every change of the picker goes to the delegate.
class SaleHistoryDateCell : public TableViewCell {
    Q_OBJECT
public:
    static constexpr const char* kReuseIdentifier = "DateCell";
    static constexpr int kClosedHeight = 50;
    static constexpr int kOpenedHeight = 266;

    explicit SaleHistoryDateCell(QWidget* parent = nullptr);

    QLabel* titleLabel() const { return titleLabel_; }
    QLabel* dateLabel() const { return dateLabel_; }
    QCalendarWidget* datePicker() const { return datePicker_; }
    SaleHistoryFilterController* delegate() const { return delegate_; }
    void setDelegate(SaleHistoryFilterController* delegate) { delegate_ = delegate; }
    bool opened() const { return opened_; }
    void setOpened(bool opened);
    bool isFrom() const { return isFrom_; }
    void setIsFrom(bool isFrom) { isFrom_ = isFrom; }

    // The latest moment the picker offers.
    void setMaximumDate(const QDateTime& maximum);
    QDateTime maximumDate() const { return maximum_; }
    // Shows the date and sets the picker to it.
    void setDate(const QDateTime& date);
    QDateTime date() const { return date_; }
    // The picker's value-changed action: the picked day, at the time of day held, no later
    // than the maximum.
    void dateChanged();
    void toogleOpenClose();
    void close();

    // "05 marzo, 2020": two-digit day, the lower-case month name, the year.
    static QString prettyDate(const QDateTime& date);

private:
    QLabel* titleLabel_ = nullptr;
    QLabel* dateLabel_ = nullptr;
    QCalendarWidget* datePicker_ = nullptr;
    SaleHistoryFilterController* delegate_ = nullptr;
    bool opened_ = false;
    bool isFrom_ = false;
    QDateTime date_;
    QDateTime maximum_;
};
