#pragma once

#include "platform/ui/TableViewCell.h"

#include <QLabel>
#include <QPointer>
#include <memory>

class Installment;

// A row of the installments selection: the option's name, and with a promotion its total
// financial cost and price. Without an option it is the free-count row ("Ingresar
// manualmente"). Outlets by objectName: "nameLabel", "CFTLabel", "amountLabel".
class InstallmentOptionTableViewCell : public TableViewCell {
    Q_OBJECT
public:
    explicit InstallmentOptionTableViewCell(QWidget* parent = nullptr);

    QLabel* nameLabel() const { return nameLabel_; }
    QLabel* CFTLabel() const { return CFTLabel_; }
    QLabel* amountLabel() const { return amountLabel_; }
    std::shared_ptr<Installment> installment() const { return installment_; }
    // Fills the cell; none makes it the free-count row.
    void setInstallment(std::shared_ptr<Installment> installment);

private:
    QPointer<QLabel> nameLabel_, CFTLabel_, amountLabel_;
    std::shared_ptr<Installment> installment_;
};
