#include "payment/flow/InstallmentTableViewCell.h"

#include "model/Installment.h"
#include "platform/core/VersionDispatch.h"
#include "platform/ui/View.h"

#include <QHBoxLayout>

InstallmentTableViewCell::InstallmentTableViewCell(QWidget* parent)
    : TableViewCell(parent) {
    setObjectName(QStringLiteral("InstallmentTableViewCell"));
    View::setBackgroundColor(this, Qt::white);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 0, 16, 0);
    titleLabel_ = new QLabel(this);
    titleLabel_->setObjectName(QStringLiteral("titleLabel"));
    titleLabel_->setFont(QFont(QStringLiteral("Helvetica Neue"), 17));
    QPalette palette = titleLabel_->palette();
    palette.setColor(QPalette::WindowText, VersionDispatch::blackTextColor());
    titleLabel_->setPalette(palette);
    row->addWidget(titleLabel_, 1);
}

void InstallmentTableViewCell::prepareCellForInstallment(std::shared_ptr<Installment> installment) {
    if (!installment)
        return;
    installment_ = std::move(installment);
    titleLabel_->setText(installment_->name());
}
