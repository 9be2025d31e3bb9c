#pragma once

#include "platform/ui/TableViewCell.h"

#include <QPointer>

#include <QLabel>
#include <QPushButton>

// A row of the shipping step: an address or a courier branch, with a tick while chosen and, on
// the other-address row, a modify button.
class BuyReaderAddressCell : public TableViewCell {
    Q_OBJECT
public:
    explicit BuyReaderAddressCell(QWidget* parent = nullptr);

    QLabel* titleLabel() const { return titleLabel_; }
    QLabel* addressLabel() const { return addressLabel_; }
    QPushButton* modifyButton() const { return modifyButton_; }

    void setSelected(bool selected, bool animated) override;
    void setHighlighted(bool highlighted, bool animated) override;
    void updatedDisplay();

private:
    QPointer<QLabel> titleLabel_;
    QPointer<QLabel> addressLabel_;
    QPointer<QLabel> tickView_;
    QPointer<QPushButton> modifyButton_;
};
