#pragma once

#include "platform/ui/Clock.h"
#include "platform/ui/ViewController.h"

#include <QPointer>
#include <functional>

// The side-menu container: a top screen over a menu screen. Revealing slides the top screen
// to the right, uncovering the menu on the left; resetting slides it back over the menu.
// Both screens are children of the container.
class SlidingViewController : public ViewController {
    Q_OBJECT
public:
    enum class Position { Centered, AnchoredRight };

    static constexpr int kSlideMs = 250;
    // How much of the top screen stays in sight while the menu shows.
    static constexpr int kAnchorRightPeekAmount = 60;

    explicit SlidingViewController(QObject* parent = nullptr);

    // The container holding the screen: found up its parents and, where a level has none,
    // through the screen presenting it; null when there is none.
    static SlidingViewController* slidingViewControllerFor(const ViewController* screen);

    ViewController* topViewController() const { return top_; }
    // Replaces the top screen (the old one is removed and deleted); the position is kept.
    void setTopViewController(ViewController* controller);
    ViewController* underLeftViewController() const { return menu_; }
    void setUnderLeftViewController(ViewController* controller);

    Position currentTopViewPosition() const { return position_; }
    // Slides the top screen right; the completion runs once it stands there.
    void anchorTopViewToRightAnimated(bool animated, std::function<void()> completion = {});
    // Slides the top screen back over the menu.
    void resetTopViewAnimated(bool animated, std::function<void()> completion = {});

    // The top screen's left edge in the container.
    int topViewOffset() const { return offset_; }

    void viewDidLayoutSubviews() override;
    QList<ViewController*> childViewControllersForAppearance() const override;
    void childViewControllerDestroyed(ViewController* child) override;

protected:
    QWidget* loadView() override;

private:
    void replaceChild(QPointer<ViewController>& slot, ViewController* controller,
                      QWidget* container);
    void moveTop(Position to, bool animated, std::function<void()> completion);
    int anchoredOffset() const;
    void placeContainers();

    QPointer<ViewController> top_;
    QPointer<ViewController> menu_;
    QWidget* topContainer_ = nullptr;
    QWidget* menuContainer_ = nullptr;
    Position position_ = Position::Centered;
    int offset_ = 0;
    Clock::Handle slide_ = 0;
};
