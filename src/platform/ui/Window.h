#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

class ViewController;

// A top-level widget with a root screen and the stack of modal presentations over it. Only
// full-screen presentations make the screen below disappear.
class Window : public QObject {
    Q_OBJECT
public:
    // A window of its own: a new top-level widget sized to the device's screen.
    explicit Window(QObject* parent = nullptr);
    ~Window() override;

    // The window over the host application's widget: its top-level widget, wrapped as the root
    // screen, so SDK screens can be presented over it. Made on first use.
    static Window* forWidget(QWidget* host);
    // The window last made key, or null.
    static Window* keyWindow();

    QWidget* widget() const { return widget_; }
    void setRootViewController(ViewController* root);
    ViewController* rootViewController() const { return root_; }
    // Shows the window; the root screen appears.
    void makeKeyAndVisible();

    // The modal stack, from the screen the root presents to the topmost one.
    QList<ViewController*> presentedViewControllers() const;
    // The topmost presented screen, or the root.
    ViewController* topViewController() const;
    // The widget that holds a presented screen (a modal dialog), or null.
    QWidget* presentationContainer(ViewController* presented) const;

private:
    friend class ViewController;
    Window(QWidget* external, bool);
    void showPresentation(ViewController* presented);
    void hidePresentation(ViewController* presented);

    QPointer<QWidget> widget_;
    bool ownsWidget_ = true;
    QPointer<ViewController> root_;
};
