#include "payment/flow/InstallmentOptionTableViewCell.h"

#include "model/Installment.h"
#include "platform/core/VersionDispatch.h"
#include "ui_kit/UIKitSupport.h"
#include "ui_kit/texts/Language.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

void colour(QLabel* label, const QColor& c) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, c);
    label->setPalette(palette);
}

QFont optionFont(bool medium) {
    QFont font(QStringLiteral("Helvetica Neue"), 17);
    font.setWeight(medium ? QFont::Medium : QFont::Normal);
    return font;
}

} // namespace

InstallmentOptionTableViewCell::InstallmentOptionTableViewCell(QWidget* parent)
    : TableViewCell(parent) {
    setObjectName(QStringLiteral("InstallmentOptionTableViewCell"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 0, 16, 0);
    nameLabel_ = new QLabel(this);
    nameLabel_->setObjectName(QStringLiteral("nameLabel"));
    nameLabel_->setFont(optionFont(false));
    colour(nameLabel_, VersionDispatch::blackTextColor());
    row->addWidget(nameLabel_, 1);
    auto* figures = new QVBoxLayout();
    amountLabel_ = new QLabel(this);
    amountLabel_->setObjectName(QStringLiteral("amountLabel"));
    amountLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    CFTLabel_ = new QLabel(this);
    CFTLabel_->setObjectName(QStringLiteral("CFTLabel"));
    CFTLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    colour(CFTLabel_, UIKitSupport::mainColor());
    figures->addWidget(amountLabel_);
    figures->addWidget(CFTLabel_);
    row->addLayout(figures);
}

void InstallmentOptionTableViewCell::setInstallment(std::shared_ptr<Installment> installment) {
    installment_ = std::move(installment);
    if (!installment_) {
        nameLabel_->setFont(optionFont(true));
        colour(nameLabel_, UIKitSupport::mainColor());
        nameLabel_->setText(QStringLiteral("Ingresar manualmente"));
        CFTLabel_->hide();
        amountLabel_->hide();
        return;
    }
    nameLabel_->setText(installment_->name());
    const PromotionPtr promotion = installment_->promotion();
    if (!promotion) {
        CFTLabel_->hide();
        amountLabel_->hide();
        return;
    }
    const double cft = promotion->CFT().value_or(0);
    if (cft == 0) {
        amountLabel_->setText(
            Language::textForFile(QStringLiteral("CFT"), QStringLiteral("cftNoInterest")));
        CFTLabel_->setText(QString());
    } else {
        amountLabel_->setText(installment_->amount() ? installment_->amount()->getAmount()
                                                     : QString());
        CFTLabel_->setText(QStringLiteral("%1%").arg(cft));
    }
    CFTLabel_->show();
    amountLabel_->show();
}
