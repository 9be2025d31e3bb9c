#pragma once

#include <QPointer>
#include <QWidget>

// A row of a TableView. The table sets it selected when the row is chosen and highlighted
// while a finger (mouse button) is down on it; subclasses restyle in the two setters, letting
// the base run first.
class TableViewCell : public QWidget {
    Q_OBJECT
public:
    // Values as the layout files number them.
    enum class SelectionStyle { None = 0, Blue = 1, Gray = 2, Default = 3 };

    explicit TableViewCell(QWidget* parent = nullptr);

    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected, bool animated);
    bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool highlighted, bool animated);

    SelectionStyle selectionStyle() const { return selectionStyle_; }
    void setSelectionStyle(SelectionStyle style);
    // Shown behind the content while selected or highlighted (unless the style is None).
    // The cell owns it; a new one replaces and deletes the old one.
    QWidget* selectedBackgroundView() const { return selectedBackground_; }
    void setSelectedBackgroundView(QWidget* view);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateSelectedBackground();
    bool selected_ = false;
    bool highlighted_ = false;
    SelectionStyle selectionStyle_ = SelectionStyle::Default;
    QPointer<QWidget> selectedBackground_;
};
