#pragma once

#include <QColor>
#include <QPushButton>

// A button with a thin rounded border (radius 4, width 1) whose colour follows its state: the
// highlighted colour while pressed or selected, else the normal one.
class BorderedButton : public QPushButton {
    Q_OBJECT
public:
    static constexpr int kCornerRadius = 4;
    static constexpr int kBorderWidth = 1;

    explicit BorderedButton(const QRect& frame = QRect(), QWidget* parent = nullptr);

    // Grey 200/255 and the theme colour, then the border they give.
    void setup();
    // The border of the present state.
    void changeBorder();
    // Swaps the roles: the theme colour at rest, grey 200/255 while pressed or selected.
    void invertedBorder();

    QColor borderColor() const { return borderColor_; }
    void setBorderColor(const QColor& color);
    QColor highlightedBorderColor() const { return highlightedBorderColor_; }
    void setHighlightedBorderColor(const QColor& color);
    // The colour the border shows now.
    QColor layerBorderColor() const { return layerBorderColor_; }

    bool isHighlighted() const { return isDown(); }
    void setHighlighted(bool highlighted);
    bool isSelected() const { return selected_; }
    void setSelected(bool selected);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    QColor borderColor_;
    QColor highlightedBorderColor_;
    QColor layerBorderColor_;
    bool selected_ = false;
};
