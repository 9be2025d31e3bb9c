#include "payment/flow/PaymentMethodCell.h"

#include "platform/core/VersionDispatch.h"
#include "ui_kit/UIKitSupport.h"

#include <QFont>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

QLabel* label(QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    QFont font(QStringLiteral("Helvetica Neue"), 17);
    font.setWeight(QFont::Medium);
    l->setFont(font);
    return l;
}

} // namespace

PaymentMethodCell::PaymentMethodCell(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("PaymentMethodCell"));
    setFixedHeight(61);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* row = new QHBoxLayout();
    row->setContentsMargins(15, 6, 15, 6);
    row->setSpacing(12);

    auto* logoBox = new QWidget(this);
    logoBox->setFixedSize(48, 48);
    creditCardImage_ = new ImageView(logoBox);
    creditCardImage_->setObjectName(QStringLiteral("creditCardImage"));
    creditCardImage_->setGeometry(0, 0, 48, 48);
    genericBankImage_ = new ImageView(logoBox);
    genericBankImage_->setObjectName(QStringLiteral("genericBankImage"));
    genericBankImage_->setGeometry(0, 0, 48, 48);
    genericBankImage_->setImage(Bundle::load(QStringLiteral("generic_bank.png")));
    genericBankImage_->hide();
    loading_ = new CustomActivitySpinnerView(UIKitSupport::mainColor(), 24, logoBox);
    loading_->setObjectName(QStringLiteral("loading"));
    loading_->move(12, 12);
    row->addWidget(logoBox);

    auto* texts = new QVBoxLayout();
    texts->setSpacing(0);
    creditCardTitle_ = label(this, "creditCardTitle");
    creditCardDescription_ = label(this, "creditCardDescription");
    texts->addWidget(creditCardTitle_);
    texts->addWidget(creditCardDescription_);
    row->addLayout(texts, 1);

    creditCardCurrency_ = label(this, "creditCardCurrency");
    creditCardLastClosed_ = label(this, "creditCardLastClosed");
    creditCardTotal_ = label(this, "creditCardTotal");
    for (QLabel* unused :
         {creditCardCurrency_.data(), creditCardLastClosed_.data(), creditCardTotal_.data()})
        unused->hide();
    column->addLayout(row);

    divLine_ = new QWidget(this);
    divLine_->setObjectName(QStringLiteral("divLine"));
    divLine_->setFixedHeight(1);
    divLine_->setAutoFillBackground(true);
    QPalette line = divLine_->palette();
    line.setColor(QPalette::Window, VersionDispatch::veryLightGray());
    divLine_->setPalette(line);
    column->addWidget(divLine_);
}
