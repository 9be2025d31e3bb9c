#include "shop/shipping/BuyReaderAddressCell.h"

#include "shop/ShopScreen.h"
#include "ui_kit/UIKitSupport.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

BuyReaderAddressCell::BuyReaderAddressCell(QWidget* parent)
    : TableViewCell(parent) {
    setSelectionStyle(SelectionStyle::None);
    setAttribute(Qt::WA_StyledBackground, true);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(14, 10, 14, 10);
    titleLabel_ = ShopLook::label(this, QStringLiteral("titleLabel"),
                                  QStringLiteral("font-weight: 600; font-size: 15px;"));
    addressLabel_ = ShopLook::label(this, QStringLiteral("addressLabel"));
    tickView_ = ShopLook::label(this, QStringLiteral("tickView"));
    tickView_->setText(QStringLiteral("✓"));
    modifyButton_ = new QPushButton(QStringLiteral("Modificar"), this);
    modifyButton_->setObjectName(QStringLiteral("modifyButton"));
    modifyButton_->setFlat(true);
    grid->addWidget(titleLabel_, 0, 0);
    grid->addWidget(tickView_, 0, 1, Qt::AlignRight);
    grid->addWidget(addressLabel_, 1, 0, 1, 2);
    grid->addWidget(modifyButton_, 2, 1, Qt::AlignRight);
    setMinimumHeight(100);
    updatedDisplay();
}

void BuyReaderAddressCell::setSelected(bool selected, bool animated) {
    TableViewCell::setSelected(selected, animated);
    updatedDisplay();
}

void BuyReaderAddressCell::setHighlighted(bool highlighted, bool animated) {
    TableViewCell::setHighlighted(highlighted, animated);
    updatedDisplay();
}

void BuyReaderAddressCell::updatedDisplay() {
    const bool on = isSelected() || isHighlighted();
    tickView_->setVisible(on);
    const QString background = on ? UIKitSupport::mainColor().name() : QStringLiteral("#d8d8d8");
    const QString textColour = on ? QStringLiteral("white") : QStringLiteral("black");
    setStyleSheet(QStringLiteral("BuyReaderAddressCell { background: %1; } QLabel { color: %2; "
                                 "background: transparent; }")
                      .arg(background, textColour));
}
