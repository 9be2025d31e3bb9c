#pragma once

#include "platform/ui/TableViewCell.h"

#include <QGridLayout>
#include <QLabel>
#include <QPointer>

// A row of a shop list that can be chosen: grey with black texts, and in the theme colour with
// white texts and a tick ("tickView") while selected or highlighted. Subclasses lay their
// labels and the tick out in grid().
class ShopChoiceCell : public TableViewCell {
    Q_OBJECT
public:
    explicit ShopChoiceCell(QWidget* parent = nullptr);

    void setSelected(bool selected, bool animated) override;
    void setHighlighted(bool highlighted, bool animated) override;
    // Redraws the chosen look from the selected and highlighted states.
    void updatedDisplay();

protected:
    QGridLayout* grid() const { return grid_; }
    QLabel* tickView() const { return tickView_; }

private:
    QGridLayout* grid_ = nullptr;
    QPointer<QLabel> tickView_;
};
