#pragma once

#include "platform/ui/ImageView.h"
#include "ui_kit/DelayedCalls.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QWidget>

// Told when the low-battery panel's close button is tapped. Optional: the default answers
// false (not handled).
class Datecs_DRD50_Delegate {
public:
    virtual ~Datecs_DRD50_Delegate() = default;
    virtual bool lowBatteryViewClosed() { return false; }
};

// The self-animating picture of the phone-mounted reader and a phone: the reader moves up to
// the phone and, once a reader is connected, a chip card slides in and a magnetic card swipes
// across, over and over, until the host reports a card. It also fills two panels the host shows
// where it wants: low battery (with an optional close button) and connection error.
//
// Outlets by objectName: "iphone", "readerBack", "cardChip", "cardSwipe", "reader", the
// low-battery panel "lowBatteryView" ("lowBatteryTitle", "lowBatteryDescription",
// "closeLowBatteryViewButton", "lowBatIcon", "lowBatReaderIcon", "lowBatCableIcon") and the
// connection-error panel "connectionErrorView" ("connectionErrorScroll",
// "connectionErrorLabel", "connectAgainLabel", "chargeLabel", "callLabel", "connectImg",
// "chargeImg", "phoneImg"). The panels start hidden, as children of the view.
class Datecs_DRD50 : public QWidget {
    Q_OBJECT
public:
    explicit Datecs_DRD50(QWidget* parent = nullptr);

    // Set-up, then the reader cycle.
    void connectDevice();
    void animateReader();
    void animateCard();
    void stopAnimations();
    void restartAnimations();
    // Events of the host: they only set flags, read by the cycles at their next decision.
    void deviceConnected();
    void deviceDisconnected();
    void cardInserted();
    void cardSwiped();

    QWidget* lowBatteryWithTitle(const QString& title, const QString& description,
                                 bool stillWorking);
    // Rich texts of the four steps; the column is laid out for the view's height.
    QWidget* connectionError(const QString& error, const QString& connectAgain,
                             const QString& tryCharging, const QString& orCall);
    void closeLowBatteryView();

    // Geometry: XC centres a frame across the view; Y measures from the bottom of the view.
    float getScreenXCenterForFrame(const QRect& frame) const;
    float YPositionForFrame(const QRect& frame, float value) const;
    QRect arrangeFrames(const QRect& frame, int offset) const;
    QRect arrangeLowBatteryForFrame(const QRect& frame) const;
    QRect arrangeConnErrorForFrame(const QRect& frame) const;
    static QRect changeY(int y, const QRect& frame);
    // The small-screen layout: the main screen is exactly 480 points high.
    static bool is480Layout();

    bool deviceIsConnected() const { return deviceIsConnected_; }
    void setDeviceIsConnected(bool value) { deviceIsConnected_ = value; }
    bool cardWasInserted() const { return cardWasInserted_; }
    void setCardWasInserted(bool value) { cardWasInserted_ = value; }
    bool cardWasSwiped() const { return cardWasSwiped_; }
    void setCardWasSwiped(bool value) { cardWasSwiped_ = value; }
    bool emvEnabled() const { return emvEnabled_; }
    void setEmvEnabled(bool value) { emvEnabled_ = value; }
    // A QObject implementing Datecs_DRD50_Delegate; not owned.
    QObject* delegate() const { return delegate_; }
    void setDelegate(QObject* delegate) { delegate_ = delegate; }

    int pendingDelayedCalls(const QString& name) const { return delayed_.pending(name); }

    ImageView* iphone() const { return iphone_; }
    ImageView* readerBack() const { return readerBack_; }
    ImageView* cardChip() const { return cardChip_; }
    ImageView* cardSwipe() const { return cardSwipe_; }
    ImageView* reader() const { return reader_; }
    QWidget* lowBatteryView() const { return lowBatteryView_; }
    QLabel* lowBatteryTitle() const { return lowBatteryTitle_; }
    QLabel* lowBatteryDescription() const { return lowBatteryDescription_; }
    QPushButton* closeLowBatteryViewButton() const { return closeLowBatteryViewButton_; }
    QWidget* connectionErrorView() const { return connectionErrorView_; }
    QLabel* connectionErrorLabel() const { return connectionErrorLabel_; }
    QLabel* connectAgainLabel() const { return connectAgainLabel_; }
    QLabel* chargeLabel() const { return chargeLabel_; }
    QLabel* callLabel() const { return callLabel_; }
    QScrollArea* connectionErrorScroll() const { return connectionErrorScroll_; }
    ImageView* connectImg() const { return connectImg_; }
    ImageView* chargeImg() const { return chargeImg_; }
    ImageView* phoneImg() const { return phoneImg_; }
    ImageView* lowBatIcon() const { return lowBatIcon_; }
    ImageView* lowBatReaderIcon() const { return lowBatReaderIcon_; }
    ImageView* lowBatCableIcon() const { return lowBatCableIcon_; }

protected:
    // A layout pass: everything stops and starts again from set-up once the pass is over.
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildSubviews();
    void buildLowBatteryPanel();
    void buildConnectionErrorPanel();
    bool inWindow() const;
    // Start positions of the reader, its back (centred on the reader) and the phone.
    void moveReaderToStart();
    void moveReaderBackToStart();
    void movePhoneToStart();
    QRect readerAt(float y) const;
    QRect readerBackAt(float y) const;
    void requestAnimateReader();
    // Puts the reader, its back and (withPhone) the phone at their start and fades them in;
    // then, when the fade ended in a shown window, runs next.
    void showAtStart(bool withPhone, void (Datecs_DRD50::*next)());

    bool deviceIsConnected_ = false;
    bool cardWasInserted_ = false;
    bool cardWasSwiped_ = false;
    bool emvEnabled_ = false;
    QPointer<QObject> delegate_;
    QImage readerBackPicture_;
    DelayedCalls delayed_{this};

    QPointer<ImageView> iphone_;
    QPointer<ImageView> readerBack_;
    QPointer<ImageView> cardChip_;
    QPointer<ImageView> cardSwipe_;
    QPointer<ImageView> reader_;
    QPointer<QWidget> lowBatteryView_;
    QPointer<QLabel> lowBatteryTitle_;
    QPointer<QLabel> lowBatteryDescription_;
    QPointer<QPushButton> closeLowBatteryViewButton_;
    QPointer<QWidget> connectionErrorView_;
    QPointer<QLabel> connectionErrorLabel_;
    QPointer<QLabel> connectAgainLabel_;
    QPointer<QLabel> chargeLabel_;
    QPointer<QLabel> callLabel_;
    QPointer<QScrollArea> connectionErrorScroll_;
    QPointer<ImageView> connectImg_;
    QPointer<ImageView> chargeImg_;
    QPointer<ImageView> phoneImg_;
    QPointer<ImageView> lowBatIcon_;
    QPointer<ImageView> lowBatReaderIcon_;
    QPointer<ImageView> lowBatCableIcon_;
};
