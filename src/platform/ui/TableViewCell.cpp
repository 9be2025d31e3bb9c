#include "platform/ui/TableViewCell.h"

TableViewCell::TableViewCell(QWidget* parent)
    : QWidget(parent) {}

void TableViewCell::setSelected(bool selected, bool animated) {
    (void)animated;
    selected_ = selected;
    setProperty("selected", selected);
    updateSelectedBackground();
}

void TableViewCell::setHighlighted(bool highlighted, bool animated) {
    (void)animated;
    highlighted_ = highlighted;
    updateSelectedBackground();
}

void TableViewCell::setSelectionStyle(SelectionStyle style) {
    selectionStyle_ = style;
    updateSelectedBackground();
}

void TableViewCell::setSelectedBackgroundView(QWidget* view) {
    if (selectedBackground_ == view)
        return;
    delete selectedBackground_.data();
    selectedBackground_ = view;
    if (view) {
        view->setParent(this);
        view->setGeometry(rect());
        view->lower();
    }
    updateSelectedBackground();
}

void TableViewCell::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (selectedBackground_)
        selectedBackground_->setGeometry(rect());
}

void TableViewCell::updateSelectedBackground() {
    if (!selectedBackground_)
        return;
    const bool show = (selected_ || highlighted_) && selectionStyle_ != SelectionStyle::None;
    selectedBackground_->setVisible(show);
    if (show)
        selectedBackground_->lower();
}
