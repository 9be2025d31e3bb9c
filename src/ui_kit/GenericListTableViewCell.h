#pragma once

#include "platform/ui/TableViewCell.h"

class ImageView;
class QLabel;

// A list row with an icon and a label: selected, the label takes the theme colour and the
// icon (drawn in the theme colour) shows; pressed while not selected, the row turns light grey.
class GenericListTableViewCell : public TableViewCell {
    Q_OBJECT
public:
    // The layout's name and the reuse identifier lists register it under.
    static constexpr const char* kNibName = "GenericListCell";
    static constexpr const char* kReuseIdentifier = "GenericListCell";

    explicit GenericListTableViewCell(QWidget* parent = nullptr);

    QLabel* label() const { return label_; }
    ImageView* icon() const { return icon_; }

    void setSelected(bool selected, bool animated) override;
    void setHighlighted(bool highlighted, bool animated) override;

private:
    void awakeFromNib();
    void setLabelColor(const QColor& color);
    QLabel* label_ = nullptr;
    ImageView* icon_ = nullptr;
};
