#include "payment/flow/InstallmentsPickerCell.h"

#include "platform/core/VersionDispatch.h"
#include "platform/ui/View.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

InstallmentsPickerCell::InstallmentsPickerCell(QWidget* parent)
    : TableViewCell(parent) {
    setObjectName(QStringLiteral("installments"));
    setFixedHeight(56);
    View::setBackgroundColor(this, Qt::white);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 4, 16, 4);
    auto* texts = new QVBoxLayout();
    texts->setSpacing(0);
    QFont font(QStringLiteral("Helvetica Neue"), 17);
    installmentsDetail_ = new QLabel(this);
    installmentsDetail_->setObjectName(QStringLiteral("installmentsDetail"));
    installmentsDetail_->setFont(font);
    installmentsSubDetail_ = new QLabel(this);
    installmentsSubDetail_->setObjectName(QStringLiteral("installmentsSubDetail"));
    texts->addWidget(installmentsDetail_);
    texts->addWidget(installmentsSubDetail_);
    row->addLayout(texts, 1);
    installmentsPrice_ = new QLabel(this);
    installmentsPrice_->setObjectName(QStringLiteral("installmentsPrice"));
    installmentsPrice_->setFont(font);
    installmentsPrice_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette palette = installmentsPrice_->palette();
    palette.setColor(QPalette::WindowText, VersionDispatch::blackTextColor());
    installmentsPrice_->setPalette(palette);
    row->addWidget(installmentsPrice_);
}
