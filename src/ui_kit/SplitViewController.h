#pragma once

#include "platform/ui/ViewController.h"

#include <QPointer>

// The master/detail container of the pad screens: both columns always visible, and each child
// told its own horizontal size class (compact below 450 points, regular from 450). On a phone
// only the master stays.
class SplitViewController : public ViewController {
    Q_OBJECT
public:
    enum DisplayMode { Automatic = 0, PrimaryHidden = 1, AllVisible = 2, PrimaryOverlay = 3 };

    explicit SplitViewController(QObject* parent = nullptr);

    // The children, master first (as a storyboard gives them).
    void setViewControllers(const QList<ViewController*>& controllers);
    QList<ViewController*> viewControllers() const { return childViewControllers(); }

    DisplayMode preferredDisplayMode() const { return displayMode_; }
    void setPreferredDisplayMode(DisplayMode mode) { displayMode_ = mode; }
    int primaryColumnWidth() const { return primaryColumnWidth_; }
    void setPrimaryColumnWidth(int width) { primaryColumnWidth_ = width; }

    ViewController* masterController() const;
    ViewController* detailController() const;
    void setMasterController(ViewController* controller) { master_ = controller; }
    void setDetailController(ViewController* controller) { detail_ = controller; }

    void changeTraitsOnViewControllerBasedOnWidth(ViewController* child, double width);
    void willTransitionToTraitCollection(const TraitCollection& traits);

    void viewDidLoad() override;
    void viewWillLayoutSubviews() override;

protected:
    QWidget* loadView() override;

private:
    void placeChildren();
    DisplayMode displayMode_ = Automatic;
    int primaryColumnWidth_ = 320;
    QPointer<ViewController> master_;
    QPointer<ViewController> detail_;
    QList<ViewController*> pending_;
};
