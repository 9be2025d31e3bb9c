#pragma once

#include "platform/ui/TableViewCell.h"

#include <QLabel>
#include <QPointer>

// A row of the installments plan picker: the number of payments (or the plan's name) and the
// price of one payment. Outlets by objectName: "installmentsDetail", "installmentsPrice",
// "installmentsSubDetail".
class InstallmentsPickerCell : public TableViewCell {
    Q_OBJECT
public:
    explicit InstallmentsPickerCell(QWidget* parent = nullptr);

    QLabel* installmentsDetail() const { return installmentsDetail_; }
    QLabel* installmentsPrice() const { return installmentsPrice_; }
    QLabel* installmentsSubDetail() const { return installmentsSubDetail_; }

private:
    QPointer<QLabel> installmentsDetail_, installmentsPrice_, installmentsSubDetail_;
};
