#pragma once

#include "platform/ui/TableViewCell.h"

#include <QLabel>
#include <QPointer>
#include <memory>

class Installment;

// A row of the plain installments list: the option's name. Outlet "titleLabel".
class InstallmentTableViewCell : public TableViewCell {
    Q_OBJECT
public:
    explicit InstallmentTableViewCell(QWidget* parent = nullptr);

    std::shared_ptr<Installment> installment() const { return installment_; }
    QLabel* titleLabel() const { return titleLabel_; }
    // Shows the option; none changes nothing.
    void prepareCellForInstallment(std::shared_ptr<Installment> installment);

private:
    std::shared_ptr<Installment> installment_;
    QPointer<QLabel> titleLabel_;
};
