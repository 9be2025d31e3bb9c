#pragma once

#include <QImage>
#include <QLabel>
#include <QList>
#include <QMargins>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

// The speech bubble of a first-use tutorial: 260 wide, an arrow, a short text, placed next to
// the element it explains. While it shows, the other direct subviews of its main view are dimmed
// to a quarter and their buttons (switches included), text fields and segmented controls
// disabled; the bubble bounces 10 points up and down. Hiding it fades it out and gives back
// what it dimmed and disabled.
//
// Widgets (by objectName): "button" (fills the bubble, its background the bubble image) and
// "label" (the text, x 15, 230 wide).
class TutorialHint : public QWidget {
    Q_OBJECT
public:
    // Arrow types: 0, 2, 3 point up (the bubble hangs below the point), 1, 4, 5 down.
    enum Type {
        ArrowUp = 0,
        ArrowDown = 1,
        ArrowLeftUp = 2,
        ArrowRightUp = 3,
        ArrowLeftDown = 4,
        ArrowRightDown = 5
    };
    static constexpr int kWidth = 260;
    // The bubble is the text's height plus this.
    static constexpr int kExtraHeight = 49;
    static constexpr int kFadeMs = 500;
    static constexpr int kBounceStepMs = 500;
    static constexpr int kBounceDistance = 10;
    static constexpr int kBounceRestMs = 5000;
    static constexpr double kDimFactor = 0.25;

    // An empty bubble (opacity 0, not visible).
    explicit TutorialHint(QWidget* parent = nullptr);
    ~TutorialHint() override;

    // Builds a bubble of the type with the text, its arrow on the point (in the view's
    // coordinates), adds it on top of the view and shows it; the listed subviews of the view
    // stay bright and usable. The view owns the bubble.
    static TutorialHint* initHint(int type, const QString& text, const QPoint& frameOrigin,
                                  QWidget* inView, const QList<QWidget*>& toIndicateSubviews);

    void showHint();
    void hideHint();
    // One bounce cycle, only while the bubble is fully opaque.
    void startHintAnimation();
    void moveHintUp(bool up, int counter);
    // Dims and disables the view's direct subviews except the listed ones, bubbles and step bars.
    void reduceAlphasInView(QWidget* view, const QList<QWidget*>& skippingSubviews);
    // Undoes every dimming of this bubble.
    void restoreAlphas();
    // Disables the enabled buttons, text fields and segmented controls in the view's tree.
    void disableAllElementsInView(QWidget* view);
    void enableAllElements();

    bool isVisible() const { return isVisible_; }
    void setIsVisible(bool visible) { isVisible_ = visible; }
    int type() const { return type_; }
    void setType(int type) { type_ = type; }
    QPushButton* button() const { return button_; }
    QLabel* label() const { return label_; }
    QWidget* mainView() const { return mainView_; }
    void setMainView(QWidget* view) { mainView_ = view; }
    QList<QWidget*> skipSubviews() const;
    void setSkipSubviews(const QList<QWidget*>& views);
    QList<QWidget*> disabledElements() const;
    QList<QWidget*> reducedAlphaViews() const;

    // The bubble image of the type ("hint_up.png" ...) and its caps (top and bottom rows kept
    // when stretched); a null image for a type outside 0-5.
    static QImage backgroundImage(int type, QMargins* capInsets = nullptr);
    static bool isArrowUp(int type);

private:
    bool isVisible_ = false;
    int type_ = ArrowUp;
    QPointer<QPushButton> button_;
    QPointer<QLabel> label_;
    QPointer<QWidget> mainView_;
    QList<QPointer<QWidget>> skipSubviews_;
    QList<QPointer<QWidget>> disabledElements_;
    QList<QPointer<QWidget>> reducedAlphaViews_;
};
