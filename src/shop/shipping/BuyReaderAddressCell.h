#pragma once

#include "shop/ShopChoiceCell.h"

#include <QPointer>

#include <QLabel>
#include <QPushButton>

// A row of the shipping step: an address or a courier branch, with a tick while chosen and, on
// the other-address row, a modify button.
class BuyReaderAddressCell : public ShopChoiceCell {
    Q_OBJECT
public:
    explicit BuyReaderAddressCell(QWidget* parent = nullptr);

    QLabel* titleLabel() const { return titleLabel_; }
    QLabel* addressLabel() const { return addressLabel_; }
    QPushButton* modifyButton() const { return modifyButton_; }

private:
    QPointer<QLabel> titleLabel_;
    QPointer<QLabel> addressLabel_;
    QPointer<QPushButton> modifyButton_;
};
