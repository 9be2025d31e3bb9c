#pragma once

#include "model/Item.h"
#include "platform/ui/TableViewCell.h"

#include <QLabel>
#include <QPointer>
#include <QWidget>

// The cart's row of one sale line: "quantity x name" (the name alone for a typed-in amount), the
// line amount after its discount with a badge, and the picture or the letter avatar.
class IndividualSaleCell : public TableViewCell {
    Q_OBJECT
public:
    static constexpr int kHeight = 60;
    static constexpr int kAvatarSide = 46;

    explicit IndividualSaleCell(QWidget* parent = nullptr);

    // Fills the row for the line.
    void fillForItem(const Item& item);

    // Checked in the cart's edit mode (a check mark on the left).
    bool isChecked() const { return checked_; }
    void setChecked(bool checked);
    void setEditing(bool editing);
    void setSelected(bool selected, bool animated) override;
    void setHighlighted(bool highlighted, bool animated) override;

    QLabel* itemName() const { return itemName_; }
    QLabel* itemPrice() const { return itemPrice_; }
    QLabel* itemTax() const { return itemTax_; }
    QLabel* itemPicture() const { return itemPicture_; }
    QLabel* itemPictureBorder() const { return itemPictureBorder_; }
    QLabel* itemNoPicture() const { return itemNoPicture_; }
    QLabel* discountBadge() const { return discountBadge_; }
    QWidget* addButtonBackground() const { return addButtonBackground_; }
    // The text drawn on the avatar the last time the row was filled.
    QString avatarText() const { return avatarText_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void layoutRow();
    void keepAddButtonBackground();
    QPointer<QLabel> checkMark_;
    QPointer<QLabel> itemName_;
    QPointer<QLabel> itemPrice_;
    QPointer<QLabel> itemTax_;
    QPointer<QLabel> itemPicture_;
    QPointer<QLabel> itemPictureBorder_;
    QPointer<QLabel> itemNoPicture_;
    QPointer<QLabel> discountBadge_;
    QPointer<QWidget> addButtonBackground_;
    QString avatarText_;
    QString fullName_; // the name line before eliding
    bool checked_ = false;
    bool editing_ = false;
};
