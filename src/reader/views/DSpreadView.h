#pragma once

#include "ui_kit/AlertAction.h"

#include <QImage>

class AlertController;
class QWidget;

// The reader illustration as the reader session controller drives it: the controller shows
// the view as its own and tells it what the session does; the view animates in between.
class DSpreadView {
public:
    virtual ~DSpreadView() = default;

    // The widget to place in the host's layout.
    virtual QWidget* widget() = 0;

    virtual void connectDevice() = 0;
    // The session looks for a reader (the screen is about to appear, Bluetooth came back).
    virtual void startSearching() = 0;
    virtual void bluetoothTurnedOn() = 0;
    virtual void bluetoothOff() = 0;
    virtual void deviceDisconnected() = 0;
    virtual void deviceConnected() = 0;
    // Sent after deviceConnected() and deviceDisconnected().
    virtual void startAnimations() = 0;
    virtual void stopAnimations() = 0;
    // A card was read: true for a chip or contactless card, false for a swiped one.
    virtual void cardPresented(bool chip) = 0;
    // The card was taken out after a transaction.
    virtual void restartAnimations() = 0;
    // The small swipe picture of the swipe-help alert.
    virtual QImage swipeIcon() = 0;
    // The reader connection help, not yet presented; the handler runs when its action is taken.
    virtual AlertController*
    connectionErrorAlertControllerWithActionHandler(AlertAction::Handler handler) = 0;

    // Optional: a view that shows the connection help in the host's root view itself answers
    // true. The defaults answer false (not handled): the controller shows and hides the alert.
    virtual bool connectionErrorIn(QWidget* hostView) {
        (void)hostView;
        return false;
    }
    virtual bool endConnectionError() { return false; }
};
