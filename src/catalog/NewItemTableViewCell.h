#pragma once

#include "platform/ui/TableViewCell.h"

#include <QLabel>
#include <QPointer>
#include <QWidget>

// The fixed "new product" row of the catalog lists.
class NewItemTableViewCell : public TableViewCell {
    Q_OBJECT
public:
    explicit NewItemTableViewCell(QWidget* parent = nullptr);
    QLabel* itemImageView() const { return itemImageView_; }
    QLabel* itemTitleLabel() const { return itemTitleLabel_; }

private:
    QPointer<QLabel> itemImageView_;
    QPointer<QLabel> itemTitleLabel_;
};
