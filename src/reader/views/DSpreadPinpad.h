#pragma once

#include "reader/views/DSpreadView.h"
#include "ui_kit/DelayedCalls.h"

#include <QLabel>
#include <QPointer>
#include <QRect>
#include <QWidget>

class ViewAnimation;
#include "platform/ui/ImageView.h"
#include "platform/ui/ViewController.h"

// The animated picture of the pinpad reader on the card-reading screen: searching, Bluetooth
// off, not connected, or connected and waiting for a card (a chip card slides into the reader
// and a magnetic card swipes past it, over and over, until a card is presented).
//
// The subviews are found by objectName: "reader", "readerFront", "cardChip", "cardSwipe",
// "noConnection" (the status badge), "lowBatteryView", "lowBatteryTitle",
// "lowBatteryDescription". Every animation and delayed start runs on the Clock; a loop step
// that checks the window goes on only while the view is shown.
class DSpreadPinpad : public QWidget, public DSpreadView {
    Q_OBJECT
public:
    // Durations of the picture's steps, in milliseconds.
    static constexpr int kBadgeMs = 350;
    static constexpr int kBadgeHoldMs = 1000;
    static constexpr int kLoopPauseMs = 500;

    explicit DSpreadPinpad(QWidget* parent = nullptr);
    ~DSpreadPinpad() override;

    QWidget* widget() override { return this; }
    void connectDevice() override;
    void startSearching() override;
    void bluetoothTurnedOn() override;
    void bluetoothOff() override;
    void deviceDisconnected() override;
    void deviceConnected() override;
    void startAnimations() override;
    void stopAnimations() override;
    void cardPresented(bool chip) override;
    void restartAnimations() override;
    QImage swipeIcon() override;
    AlertController*
    connectionErrorAlertControllerWithActionHandler(AlertAction::Handler handler) override;

    // Ends the searching loop after its current pass.
    void searchComplete();
    // Fills the low-battery panel and returns it; the host places and shows it.
    QWidget* lowBatteryWithTitle(const QString& title, const QString& description);
    // The image turned a quarter turn, clockwise or not.
    static QImage rotateImage(const QImage& image, bool clockwise);

    // Places the reader, the cards and the badge for the view's size.
    virtual void initialReaderPosition();
    void searchingAnimation();
    void bluetoothOffAnimation();
    void animateReader();
    virtual void animateCard();

    // Geometry helpers (single precision, as laid out for a 320-point-wide view).
    float getScreenXCenterForFrame(const QRect& frame) const;
    virtual float XPositionForFrame(const QRect& frame, float value) const;
    virtual float YPositionForFrame(const QRect& frame, float value) const;

    QRect connectedReaderFrame() const { return connectedReaderFrame_; }
    QRect disconnectedReaderFrame() const { return disconnectedReaderFrame_; }

    bool deviceIsConnected() const { return deviceIsConnected_; }
    void setDeviceIsConnected(bool value) { deviceIsConnected_ = value; }
    bool chipCardWasPresented() const { return chipCardWasPresented_; }
    void setChipCardWasPresented(bool value) { chipCardWasPresented_ = value; }
    bool swipeCardWasPresented() const { return swipeCardWasPresented_; }
    void setSwipeCardWasPresented(bool value) { swipeCardWasPresented_ = value; }
    bool isChipCard() const { return isChipCard_; }
    void setIsChipCard(bool value) { isChipCard_ = value; }
    bool readerAnimated() const { return readerAnimated_; }
    void setReaderAnimated(bool value) { readerAnimated_ = value; }
    bool cardAnimated() const { return cardAnimated_; }
    void setCardAnimated(bool value) { cardAnimated_ = value; }
    bool bluetoothEnabled() const { return bluetoothEnabled_; }
    void setBluetoothEnabled(bool value) { bluetoothEnabled_ = value; }
    bool searchingDevice() const { return searchingDevice_; }
    void setSearchingDevice(bool value) { searchingDevice_ = value; }
    // A connection-error screen whose view stopAnimations() takes away; nothing sets it today.
    ViewController* connectionErrorViewController() const { return connectionErrorViewController_; }
    void setConnectionErrorViewController(ViewController* controller);

    ImageView* cardChip() const { return cardChip_; }
    ImageView* cardSwipe() const { return cardSwipe_; }
    ImageView* reader() const { return reader_; }
    ImageView* noConnection() const { return noConnection_; }
    ImageView* readerFront() const { return readerFront_; }
    QWidget* lowBatteryView() const { return lowBatteryView_; }
    QLabel* lowBatteryTitle() const { return lowBatteryTitle_; }
    QLabel* lowBatteryDescription() const { return lowBatteryDescription_; }

    // Delayed starts of the loops still pending ("animateCard", "animateReader").
    int pendingDelayedCalls(const QString& name) const { return delayed_.pending(name); }

    // The support number the help alert gives.
    static QString supportPhoneNumber();

protected:
    // The pictures the view is built with: the reader, its top part and the two cards.
    struct Pictures {
        QString reader;
        QString readerFront;
        QString cardChip;
        QString cardSwipe;
        QSize readerSize;
        QSize chipSize;
        QSize swipeSize;
    };
    DSpreadPinpad(QWidget* parent, const Pictures& pictures);

    enum class BadgeLoop { Searching, BluetoothOff, Reader };
    void badgeLoop(BadgeLoop loop);
    // What phase 1 of a badge pass changes besides the badge's alpha.
    virtual void badgeAppearChanges(ViewAnimation& animation);
    // The end of a card pass's swipe phase: the next pass, or back to the reader loop.
    void cardPassEnded();
    // After the chip phase: the chip card reset; true when the loop returns to the reader loop.
    bool chipPhaseEndsLoop();
    // The fade-out, reset and fade-in of restartAnimations(): which views fade.
    virtual QList<QWidget*> restartFadeOutViews() const;
    virtual QList<QWidget*> restartFadeInViews() const;
    virtual QString helpActionTitle() const;
    virtual QString swipeIconName() const;
    void performAfterDelay(const QString& name, void (DSpreadPinpad::*call)(), int delayMs);
    bool inWindow() const;
    void setBadgeImage(const QString& name);
    // The view left its window: everything stops.
    bool event(QEvent* event) override;
    // The pictures keep their places relative to the view's new size, running animations too.
    void resizeEvent(QResizeEvent* event) override;

    QPointer<ImageView> cardChip_;
    QPointer<ImageView> cardSwipe_;
    QPointer<ImageView> reader_;
    QPointer<ImageView> noConnection_;
    QPointer<ImageView> readerFront_;
    QPointer<QWidget> lowBatteryView_;
    QPointer<QLabel> lowBatteryTitle_;
    QPointer<QLabel> lowBatteryDescription_;
    QRect connectedReaderFrame_;
    QRect disconnectedReaderFrame_;
    // The size the pictures were last placed for.
    QSize placedSize_;

private:
    void buildSubviews(const Pictures& pictures);

    bool deviceIsConnected_ = false;
    bool chipCardWasPresented_ = false;
    bool swipeCardWasPresented_ = false;
    bool isChipCard_ = false;
    bool readerAnimated_ = false;
    bool cardAnimated_ = false;
    bool bluetoothEnabled_ = false;
    bool searchingDevice_ = false;
    QPointer<ViewController> connectionErrorViewController_;
    DelayedCalls delayed_{this};
};
