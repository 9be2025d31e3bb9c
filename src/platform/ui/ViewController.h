#pragma once

#include "platform/ui/NavigationItem.h"
#include "platform/ui/Services.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>

#include <QColor>
#include <QHash>
#include <QMargins>

class FlowEndDelegate;
class NavigationController;
class StoryboardSegue;
class Window;

// Size classes a screen lays itself out by: 0 unspecified, 1 compact, 2 regular.
struct TraitCollection {
    int horizontalSizeClass = 0;
    int verticalSizeClass = 0;
    bool operator==(const TraitCollection& o) const {
        return horizontalSizeClass == o.horizontalSizeClass &&
               verticalSizeClass == o.verticalSizeClass;
    }
};

// The application-wide status bar style (0 default, 1 light content, 3 dark content).
namespace Application {
int statusBarStyle();
void setStatusBarStyle(int style);
// Whether the application hides the status bar (shown by default). There is no bar to
// animate here: the change is immediate either way.
bool isStatusBarHidden();
void setStatusBarHidden(bool hidden, bool animated);
} // namespace Application

// A screen: a QObject owning a root widget built on first use, with the lifecycle hooks the
// screens override, child screens, modal presentation and segues.
//
// Ownership: children and the screens of a navigation stack are QObject children of their
// container. A screen presented without a parent is owned by its presentation and deleted
// after its dismissal; hold it in a QPointer to look at it afterwards.
class ViewController : public QObject {
    Q_OBJECT
public:
    enum class ModalPresentationStyle {
        FullScreen = 0,
        PageSheet = 1,
        FormSheet = 2,
        CurrentContext = 3,
        Custom = 4,
        OverFullScreen = 5,
        OverCurrentContext = 6,
        Popover = 7,
    };
    enum class Appearance { Disappeared, Appearing, Appeared, Disappearing };

    // Duration of animated presentations and dismissals, run on the Clock.
    static constexpr int kTransitionMs = 300;

    explicit ViewController(QObject* parent = nullptr);
    ~ViewController() override;

    // The root widget, built by loadView() and followed by viewDidLoad() on first use.
    QWidget* view();
    bool isViewLoaded() const { return view_ != nullptr; }
    void loadViewIfNeeded() { view(); }
    // A widget of the screen found by its objectName (the outlet's property name).
    template <class T = QWidget> T* outlet(const QString& name) {
        return view()->findChild<T*>(name);
    }

    QString title() const { return title_; }
    void setTitle(const QString& title);
    NavigationItem* navigationItem() { return &navigationItem_; }

    // Lifecycle hooks.
    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool animated) { (void)animated; }
    virtual void viewDidAppear(bool animated) { (void)animated; }
    virtual void viewWillDisappear(bool animated) { (void)animated; }
    virtual void viewDidDisappear(bool animated) { (void)animated; }
    virtual void viewWillLayoutSubviews() {}
    virtual void viewDidLayoutSubviews() {}
    virtual void willMoveToParentViewController(ViewController* parent) { (void)parent; }
    virtual void didMoveToParentViewController(ViewController* parent) { (void)parent; }

    // Runs the layout hooks now (they also run when the root widget is resized or shown).
    void layoutIfNeeded();

    // Appearance, driven by containers and windows; forwarded to the children that show.
    Appearance appearanceState() const { return appearance_; }
    bool isVisible() const { return appearance_ == Appearance::Appeared; }
    void beginAppearanceTransition(bool isAppearing, bool animated);
    void endAppearanceTransition();
    virtual bool shouldAutomaticallyForwardAppearanceMethods() const { return true; }

    // Child screens.
    ViewController* parentViewController() const;
    QList<ViewController*> childViewControllers() const { return children_; }
    void addChildViewController(ViewController* child);
    void removeFromParentViewController();
    // Adds the child, puts its view into the container (filling it) and lets it appear when
    // this screen shows.
    void embedChildViewController(ViewController* child, QWidget* container);
    // Takes the child's view out and removes the child, letting it disappear first.
    void unembedChildViewController(ViewController* child);

    // Opens the side menu of the side-menu container holding the screen (its top screen slides
    // right); nothing happens outside such a container.
    void showSlidingMenu();

    // The nearest navigation controller above this screen.
    NavigationController* navigationController() const;

    // Modal presentation. The completion runs once the presented screen shows.
    void presentViewController(ViewController* controller, bool animated,
                               std::function<void()> completion = {});
    // Dismisses what this screen presents, or this screen when it presents nothing. The
    // completion runs once the dismissed screens are gone.
    void dismissViewControllerAnimated(bool animated, std::function<void()> completion = {});
    ViewController* presentedViewController() const;
    ViewController* presentingViewController() const;
    bool isBeingPresented() const { return beingPresented_; }
    bool isBeingDismissed() const;
    bool isMovingFromParentViewController() const { return movingFromParent_; }
    bool isMovingToParentViewController() const { return movingToParent_; }
    ModalPresentationStyle modalPresentationStyle() const { return modalStyle_; }
    virtual void setModalPresentationStyle(ModalPresentationStyle style) { modalStyle_ = style; }
    bool isModalInPresentation() const { return modalInPresentation_; }
    void setModalInPresentation(bool modal) { modalInPresentation_ = modal; }
    // The window this screen's presentation chain belongs to, if any.
    Window* window() const;

    // Segues of the storyboard registry. prepareForSegue runs before the destination shows.
    void performSegueWithIdentifier(const QString& identifier, QObject* sender = nullptr);
    virtual bool shouldPerformSegueWithIdentifier(const QString& identifier, QObject* sender) {
        (void)identifier;
        (void)sender;
        return true;
    }
    virtual void prepareForSegue(StoryboardSegue& segue, QObject* sender) {
        (void)segue;
        (void)sender;
    }
    QString storyboardName() const { return storyboardName_; }
    QString storyboardIdentifier() const { return storyboardIdentifier_; }
    void setStoryboardInfo(const QString& storyboard, const QString& identifier);

    // The first controller up the chain (this one, its parents, then the screens that present
    // them) that takes the ends of a flow; null when none does.
    FlowEndDelegate* flowEndDelegate() const;

    Device::Idiom idiom() const { return Device::current().idiom(); }
    bool isIpad() const { return Device::current().isIpad(); }

    // Status bar and orientation preferences (orientation masks: 2 portrait, 30 all).
    virtual int preferredStatusBarStyle() const { return 0; }
    virtual bool prefersStatusBarHidden() const { return false; }
    // Asks the screen again for its status bar style; the request is counted for tests.
    void setNeedsStatusBarAppearanceUpdate() { ++statusBarUpdates_; }
    int statusBarAppearanceUpdates() const { return statusBarUpdates_; }
    virtual int supportedInterfaceOrientations() const { return isIpad() ? 30 : 2; }
    virtual bool shouldAutorotate() const { return true; }

    // Size classes: what the parent sets for this screen, else the device's.
    TraitCollection traitCollection() const;
    void setOverrideTraitCollection(const TraitCollection& traits, ViewController* child);
    // The override set for the child, if any.
    std::optional<TraitCollection>
    overrideTraitCollectionForChildViewController(ViewController* child) const;

    // The loading overlay on the screen's mainView (see ActivityIndicator.h).
    QWidget* mainView();
    void displayLoadingIndicatorWithSizeTextBackgroundColorAlphaInsetsAnimated(
        uint size, const QString& text, const QColor& backgroundColor, double alpha,
        const QMargins& insets, bool animated);
    void displayLoadingIndicatorWithSizeTextBackgroundColorAlpha(uint size, const QString& text,
                                                                 const QColor& backgroundColor,
                                                                 double alpha);
    void displayLoadingIndicatorWithSizeTextBackgroundColor(uint size, const QString& text,
                                                            const QColor& backgroundColor);
    void displayLoadingIndicatorWithSizeText(uint size, const QString& text);
    void displayLoadingIndicatorWithSize(uint size);
    void displayLoadingIndicatorWithBackgroundColor(const QColor& backgroundColor);
    void displayLoadingIndicatorWithText(const QString& text);
    void displayLoadingIndicatorAnimated(bool animated);
    void displayLoadingIndicator();
    void hideLoadingIndicatorAnimated(bool animated);
    void hideLoadingIndicator();
    bool isDisplayingActivityIndicator();

    // Containers name the children whose appearance follows their own.
    virtual QList<ViewController*> childViewControllersForAppearance() const;
    // A child is being destroyed; containers forget it.
    virtual void childViewControllerDestroyed(ViewController* child) { (void)child; }

protected:
    // Builds the root widget; the default is a plain white widget.
    virtual QWidget* loadView();
    // Replaces the root widget before it is loaded (for screens that wrap an existing widget).
    void adoptView(QWidget* view, bool owned);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class Window;
    friend class NavigationController;
    void forwardAppearance(const std::function<void(ViewController*)>& call);
    ViewController* topLevel() const;
    void dismissPresented(bool animated, std::function<void()> completion);

    QPointer<QWidget> view_;
    bool ownsView_ = true;
    bool inLayout_ = false;
    QString title_;
    NavigationItem navigationItem_;
    Appearance appearance_ = Appearance::Disappeared;
    QList<ViewController*> children_;
    QPointer<ViewController> parent_;
    QPointer<ViewController> presented_;
    QPointer<ViewController> presenting_;
    QPointer<Window> window_;
    QPointer<QWidget> presentationContainer_;
    bool ownedByPresentation_ = false;
    bool beingPresented_ = false;
    bool beingDismissed_ = false;
    bool movingFromParent_ = false;
    bool movingToParent_ = false;
    bool modalInPresentation_ = false;
    ModalPresentationStyle modalStyle_ = ModalPresentationStyle::FullScreen;
    QString storyboardName_;
    QString storyboardIdentifier_;
    int statusBarUpdates_ = 0;
    QHash<const ViewController*, TraitCollection> childTraits_;
};

// Wraps a widget the host application owns, so SDK screens can be presented over it.
class HostViewController : public ViewController {
    Q_OBJECT
public:
    explicit HostViewController(QWidget* hostWidget, QObject* parent = nullptr);
};
