#pragma once

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

// Told when the user ends the tutorial from the step bar.
class TutorialNavBarDelegate {
public:
    virtual ~TutorialNavBarDelegate() = default;
    virtual void cancelTutorial() = 0;
};

// The bar over the top of the screen during a first-use tutorial: the step number, a title and
// an end-tutorial control. It hides the status bar, slides in from the left and out to the right.
// Tutorial bubbles never dim or disable it.
//
// Widgets (by objectName): "stepNumber", "title", "endTutorialButton".
class TutorialNavBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSlideMs = 500;
    static constexpr int kPortraitHeight = 64;
    static constexpr int kLandscapeHeight = 32;

    explicit TutorialNavBar(QWidget* parent = nullptr);

    // Builds the bar for the step, adds it on top of the view, off screen to the left, and slides
    // it in; with an auto-close delay above 0 it closes itself (kept) that many seconds after.
    static TutorialNavBar* initWithStep(int step, const QString& title, QWidget* inView,
                                        float autoClose, bool isLandscape);

    // Slides a kept bar in again from the left.
    void show();
    // Slides the bar out to the right; with remove it is then deleted from its view.
    void close(bool remove);
    // The end-tutorial control's action: tells the delegate.
    void endTutorial();

    QLabel* title() const { return title_; }
    QLabel* stepNumber() const { return stepNumber_; }
    QPushButton* endTutorialButton() const { return endButton_; }
    // Not owned; cleared by its owner before it goes.
    TutorialNavBarDelegate* delegate() const { return delegate_; }
    void setDelegate(TutorialNavBarDelegate* delegate) { delegate_ = delegate; }

private:
    void slideTo(int x, std::function<void(bool)> completion = {});

    QPointer<QLabel> title_;
    QPointer<QLabel> stepNumber_;
    QPointer<QPushButton> endButton_;
    TutorialNavBarDelegate* delegate_ = nullptr;
};
