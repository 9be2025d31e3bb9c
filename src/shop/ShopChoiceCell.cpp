#include "shop/ShopChoiceCell.h"

#include "shop/ShopScreen.h"
#include "ui_kit/UIKitSupport.h"

ShopChoiceCell::ShopChoiceCell(QWidget* parent)
    : TableViewCell(parent) {
    setSelectionStyle(SelectionStyle::None);
    setAttribute(Qt::WA_StyledBackground, true);
    grid_ = new QGridLayout(this);
    grid_->setContentsMargins(14, 10, 14, 10);
    tickView_ = ShopLook::label(this, QStringLiteral("tickView"));
    tickView_->setText(QStringLiteral("✓"));
    updatedDisplay();
}

void ShopChoiceCell::setSelected(bool selected, bool animated) {
    TableViewCell::setSelected(selected, animated);
    updatedDisplay();
}

void ShopChoiceCell::setHighlighted(bool highlighted, bool animated) {
    TableViewCell::setHighlighted(highlighted, animated);
    updatedDisplay();
}

void ShopChoiceCell::updatedDisplay() {
    const bool on = isSelected() || isHighlighted();
    tickView_->setVisible(on);
    setStyleSheet(QStringLiteral("ShopChoiceCell { background: %1; } QLabel { color: %2; "
                                 "background: transparent; }")
                      .arg(on ? UIKitSupport::mainColor().name() : QStringLiteral("#d8d8d8"),
                           on ? QStringLiteral("white") : QStringLiteral("black")));
}
