#include "shop/shipping/BuyReaderAddressCell.h"

#include "shop/ShopScreen.h"

#include <QLabel>
#include <QPushButton>

BuyReaderAddressCell::BuyReaderAddressCell(QWidget* parent)
    : ShopChoiceCell(parent) {
    titleLabel_ = ShopLook::label(this, QStringLiteral("titleLabel"),
                                  QStringLiteral("font-weight: 600; font-size: 15px;"));
    addressLabel_ = ShopLook::label(this, QStringLiteral("addressLabel"));
    modifyButton_ = new QPushButton(QStringLiteral("Modificar"), this);
    modifyButton_->setObjectName(QStringLiteral("modifyButton"));
    modifyButton_->setFlat(true);
    grid()->addWidget(titleLabel_, 0, 0);
    grid()->addWidget(tickView(), 0, 1, Qt::AlignRight);
    grid()->addWidget(addressLabel_, 1, 0, 1, 2);
    grid()->addWidget(modifyButton_, 2, 1, Qt::AlignRight);
    setMinimumHeight(100);
}
