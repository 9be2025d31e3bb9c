#include "reader/views/DSpreadPinpad.h"

#include "platform/core/VersionDispatch.h"
#include "platform/ui/View.h"
#include "platform/ui/ViewController.h"
#include "reader/views/ImageOutlet.h"
#include "ui_kit/AlertController.h"
#include "ui_kit/Markup.h"
#include "ui_kit/UIKitSupport.h"
#include "ui_kit/ViewAnimation.h"
#include "ui_kit/texts/Language.h"
#include "ui_kit/texts/TextFormatter.h"

#include <QEvent>
#include <QPixmap>
#include <QPointer>
#include <QResizeEvent>
#include <QTransform>
#include <QVBoxLayout>

namespace {

const QString kAnimateCard = QStringLiteral("animateCard");
const QString kAnimateReader = QStringLiteral("animateReader");

QRect withX(const QRect& frame, float x) {
    return QRect(qRound(x), frame.y(), frame.width(), frame.height());
}

QRect withY(const QRect& frame, float y) {
    return QRect(frame.x(), qRound(y), frame.width(), frame.height());
}

} // namespace

DSpreadPinpad::DSpreadPinpad(QWidget* parent)
    : DSpreadPinpad(parent, Pictures{QStringLiteral("tq-qposMini.png"),
                                     QStringLiteral("tq-qposMini-Top.png"),
                                     QStringLiteral("cardChip.png"),
                                     QStringLiteral("cardSwipe.png"),
                                     {130, 220},
                                     {100, 64},
                                     {190, 150}}) {}

DSpreadPinpad::DSpreadPinpad(QWidget* parent, const Pictures& pictures)
    : QWidget(parent) {
    setObjectName(QStringLiteral("DSpreadPinpad"));
    buildSubviews(pictures);
}

DSpreadPinpad::~DSpreadPinpad() = default;

void DSpreadPinpad::buildSubviews(const Pictures& pictures) {
    // Stacking: the reader body, the cards, the reader's front over the cards in its slots,
    // then the badge and the low-battery panel.
    reader_ =
        ReaderViews::imageOutlet(this, QStringLiteral("reader"),
                                 QRect(QPoint(95, 150), pictures.readerSize), pictures.reader);
    cardSwipe_ = ReaderViews::imageOutlet(
        this, QStringLiteral("cardSwipe"),
        QRect(QPoint(-pictures.swipeSize.width(), 20), pictures.swipeSize), pictures.cardSwipe);
    cardChip_ =
        ReaderViews::imageOutlet(this, QStringLiteral("cardChip"),
                                 QRect(QPoint(330, 300), pictures.chipSize), pictures.cardChip);
    readerFront_ =
        ReaderViews::imageOutlet(this, QStringLiteral("readerFront"),
                                 QRect(QPoint(95, 150), pictures.readerSize), pictures.readerFront);
    noConnection_ =
        ReaderViews::imageOutlet(this, QStringLiteral("noConnection"), QRect(138, 238, 44, 44));
    cardChip_->hide();
    cardSwipe_->hide();
    View::setAlpha(noConnection_, 0);

    lowBatteryView_ = new QWidget(this);
    lowBatteryView_->setObjectName(QStringLiteral("lowBatteryView"));
    lowBatteryView_->setGeometry(20, 20, 280, 96);
    View::setBackgroundColor(lowBatteryView_, QColor(255, 248, 225));
    auto* column = new QVBoxLayout(lowBatteryView_);
    lowBatteryTitle_ = new QLabel(lowBatteryView_);
    lowBatteryTitle_->setObjectName(QStringLiteral("lowBatteryTitle"));
    QFont titleFont = lowBatteryTitle_->font();
    titleFont.setBold(true);
    lowBatteryTitle_->setFont(titleFont);
    lowBatteryDescription_ = new QLabel(lowBatteryView_);
    lowBatteryDescription_->setObjectName(QStringLiteral("lowBatteryDescription"));
    lowBatteryDescription_->setWordWrap(true);
    column->addWidget(lowBatteryTitle_);
    column->addWidget(lowBatteryDescription_);
    lowBatteryView_->hide();
}

// ---------------------------------------------------------------- geometry

float DSpreadPinpad::getScreenXCenterForFrame(const QRect& frame) const {
    return float(width()) / 2.0f - float(frame.width()) / 2.0f;
}

float DSpreadPinpad::XPositionForFrame(const QRect& frame, float value) const {
    (void)frame;
    return float(width()) - 320.0f + value;
}

float DSpreadPinpad::YPositionForFrame(const QRect& frame, float value) const {
    (void)frame;
    return float(height()) - 64.0f - 504.0f + value;
}

void DSpreadPinpad::initialReaderPosition() {
    const float W = float(width());
    const float H = float(height());
    const QRect readerFrame = View::frame(reader_);
    const float rw = float(readerFrame.width());
    const float rh = float(readerFrame.height());
    const float c = H / 2.0f + (rh / 2.0f) * -0.7f;
    placedSize_ = size();
    disconnectedReaderFrame_ =
        QRect(qRound(W / 2.0f - rw / 2.0f), qRound(H / 2.0f - rh / 2.0f), int(rw), int(rh));
    connectedReaderFrame_ = withY(disconnectedReaderFrame_, c);
    View::setFrame(reader_, disconnectedReaderFrame_);
    View::setFrame(readerFront_, View::frame(reader_));
    reader_->setImageNamed(QStringLiteral("tq-qposMini.png"));
    readerFront_->setImageNamed(QStringLiteral("tq-qposMini-Top.png"));
    if (cardChip_)
        View::setFrame(cardChip_, withY(withX(View::frame(cardChip_),
                                              XPositionForFrame(View::frame(cardChip_), 330)),
                                        c + 75.0f));
    if (cardSwipe_)
        View::setFrame(cardSwipe_, withY(withX(View::frame(cardSwipe_),
                                               -float(View::frame(cardSwipe_).width())),
                                         c - 135.0f));
    if (noConnection_)
        View::setFrame(noConnection_, withX(View::frame(noConnection_),
                                            getScreenXCenterForFrame(View::frame(noConnection_))));
}

// ---------------------------------------------------------------- operations of the session

void DSpreadPinpad::connectDevice() {
    View::setHidden(cardChip_, true);
    View::setHidden(cardSwipe_, true);
    isChipCard_ = false;
    deviceIsConnected_ = false;
    View::setAlpha(reader_, 1);
    View::setAlpha(readerFront_, 1);
    View::setAlpha(noConnection_, 0);
    initialReaderPosition();
    readerAnimated_ = false;
}

void DSpreadPinpad::startSearching() {
    connectDevice();
    searchingDevice_ = true;
    searchingAnimation();
}

void DSpreadPinpad::searchComplete() {
    searchingDevice_ = false;
}

void DSpreadPinpad::bluetoothOff() {
    bluetoothEnabled_ = false;
    bluetoothOffAnimation();
}

void DSpreadPinpad::bluetoothTurnedOn() {
    bluetoothEnabled_ = true;
}

void DSpreadPinpad::deviceConnected() {
    deviceIsConnected_ = true;
    isChipCard_ = false;
}

void DSpreadPinpad::deviceDisconnected() {
    deviceIsConnected_ = false;
}

void DSpreadPinpad::startAnimations() {
    searchingDevice_ = false;
    if (readerAnimated_)
        return;
    readerAnimated_ = true;
    if (!deviceIsConnected_) {
        animateReader();
        return;
    }
    View::setHidden(cardSwipe_, false);
    View::setHidden(cardChip_, false);
    isChipCard_ = false;
    animateCard();
}

void DSpreadPinpad::cardPresented(bool chip) {
    if (chip)
        chipCardWasPresented_ = true;
    else
        swipeCardWasPresented_ = true;
    isChipCard_ = false;
    delayed_.cancel(kAnimateCard);
}

void DSpreadPinpad::restartAnimations() {
    ViewAnimation fadeOut;
    for (QWidget* view : restartFadeOutViews())
        fadeOut.alpha(view, 0);
    fadeOut.start(this, 500, [this, alive = QPointer<QObject>(this)](bool finished) {
        if (!alive)
            return; // the view is gone: its animations end without it
        if (!finished)
            return;
        initialReaderPosition();
        ViewAnimation fadeIn;
        for (QWidget* view : restartFadeInViews())
            fadeIn.alpha(view, 1);
        fadeIn.start(this, 500, [this, alive = QPointer<QObject>(this)](bool finished) {
            if (!alive)
                return; // the view is gone: its animations end without it
            if (!finished)
                return;
            isChipCard_ = false;
            chipCardWasPresented_ = false;
            swipeCardWasPresented_ = false;
            delayed_.cancel(kAnimateCard);
            cardAnimated_ = false;
            if (inWindow())
                animateCard();
        });
    });
}

QList<QWidget*> DSpreadPinpad::restartFadeOutViews() const {
    return {reader_, readerFront_, cardChip_, cardSwipe_};
}

QList<QWidget*> DSpreadPinpad::restartFadeInViews() const {
    return {reader_, readerFront_};
}

void DSpreadPinpad::stopAnimations() {
    // The removed animations leave their end values; the reset positions are placed over them.
    for (QWidget* view : {static_cast<QWidget*>(this), static_cast<QWidget*>(reader_),
                          static_cast<QWidget*>(cardChip_), static_cast<QWidget*>(cardSwipe_),
                          static_cast<QWidget*>(noConnection_)})
        ViewAnimation::removeAllAnimations(view);
    initialReaderPosition();
    isChipCard_ = false;
    readerAnimated_ = false;
    swipeCardWasPresented_ = false;
    searchingDevice_ = false;
    delayed_.cancel(kAnimateCard);
    delayed_.cancel(kAnimateReader);
    if (connectionErrorViewController_ && connectionErrorViewController_->isViewLoaded())
        View::removeFromSuperview(connectionErrorViewController_->view());
    connectionErrorViewController_ = nullptr;
}

void DSpreadPinpad::setConnectionErrorViewController(ViewController* controller) {
    connectionErrorViewController_ = controller;
}

bool DSpreadPinpad::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if ((event->type() == QEvent::Hide || event->type() == QEvent::ParentChange) && !isVisible())
        stopAnimations();
    return handled;
}

void DSpreadPinpad::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!placedSize_.isValid() || placedSize_ == size())
        return;
    // The reader and the badge stay centred, the chip card keeps its distance to the right
    // edge, the swipe card to the left; all follow the vertical centre.
    const auto half = [](int length) { return qRound(float(length) / 2.0f); };
    const int dx = half(width()) - half(placedSize_.width());
    const int dy = half(height()) - half(placedSize_.height());
    const QPoint centred(dx, dy);
    ViewAnimation::translate(reader_, centred);
    ViewAnimation::translate(readerFront_, centred);
    ViewAnimation::translate(noConnection_, centred);
    ViewAnimation::translate(cardChip_, QPoint(width() - placedSize_.width(), dy));
    ViewAnimation::translate(cardSwipe_, QPoint(0, dy));
    connectedReaderFrame_.translate(centred);
    disconnectedReaderFrame_.translate(centred);
    placedSize_ = size();
}

bool DSpreadPinpad::inWindow() const {
    return ViewAnimation::isInWindow(this);
}

void DSpreadPinpad::performAfterDelay(const QString& name, void (DSpreadPinpad::*call)(),
                                      int delayMs) {
    delayed_.perform(name, delayMs, [this, call] { (this->*call)(); });
}

// ---------------------------------------------------------------- the badge loops

void DSpreadPinpad::searchingAnimation() {
    badgeLoop(BadgeLoop::Searching);
}

void DSpreadPinpad::bluetoothOffAnimation() {
    badgeLoop(BadgeLoop::BluetoothOff);
}

void DSpreadPinpad::animateReader() {
    badgeLoop(BadgeLoop::Reader);
}

void DSpreadPinpad::setBadgeImage(const QString& name) {
    noConnection_->setImageNamed(name);
}

void DSpreadPinpad::badgeAppearChanges(ViewAnimation& animation) {
    animation.frame(reader_, disconnectedReaderFrame_)
        .frame(readerFront_, disconnectedReaderFrame_);
}

void DSpreadPinpad::badgeLoop(BadgeLoop loop) {
    if (noConnection_ && reader_) {
        const QRect readerFrame = View::frame(reader_);
        const QRect badge = View::frame(noConnection_);
        View::setFrame(noConnection_,
                       withY(badge, float(readerFrame.y()) +
                                        float(readerFrame.height() - badge.height()) / 2.0f));
    }
    setBadgeImage(loop == BadgeLoop::Searching      ? QStringLiteral("waitBadge.png")
                  : loop == BadgeLoop::BluetoothOff ? QStringLiteral("bluetoothBadge.png")
                                                    : QStringLiteral("noconnection.png"));
    ViewAnimation appear;
    appear.alpha(noConnection_, 1);
    badgeAppearChanges(appear);
    appear.start(this, kBadgeMs, [this, loop, alive = QPointer<QObject>(this)](bool finished) {
        if (!alive)
            return; // the view is gone: its animations end without it
        if (!finished)
            return;
        if (loop == BadgeLoop::Reader && deviceIsConnected_) {
            View::setHidden(cardSwipe_, false);
            View::setHidden(cardChip_, false);
            isChipCard_ = false;
            cardAnimated_ = false;
            if (inWindow())
                animateCard();
            return;
        }
        ViewAnimation()
            .alpha(noConnection_, 0)
            .start(
                this, kBadgeMs,
                [this, loop, alive = QPointer<QObject>(this)](bool finished) {
                    if (!alive)
                        return; // the view is gone: its animations end without it
                    if (!finished || !inWindow())
                        return;
                    if (loop == BadgeLoop::Searching && !searchingDevice_)
                        return;
                    if (loop == BadgeLoop::BluetoothOff && bluetoothEnabled_)
                        return;
                    badgeLoop(loop);
                },
                kBadgeHoldMs);
    });
}

// ---------------------------------------------------------------- the card loop

void DSpreadPinpad::animateCard() {
    if (cardAnimated_)
        return;
    cardAnimated_ = true;
    if (cardChip_)
        View::setFrame(cardChip_, withX(View::frame(cardChip_),
                                        XPositionForFrame(View::frame(cardChip_), 330)));
    if (cardSwipe_)
        View::setFrame(cardSwipe_,
                       withX(View::frame(cardSwipe_), -float(View::frame(cardSwipe_).width())));
    View::setAlpha(cardChip_, 1);
    View::setAlpha(cardSwipe_, 1);

    // A: the reader moves up to its connected place, the badge goes.
    ViewAnimation()
        .alpha(reader_, 1)
        .alpha(readerFront_, 1)
        .alpha(noConnection_, 0)
        .frame(reader_, connectedReaderFrame_)
        .frame(readerFront_, connectedReaderFrame_)
        .start(this, 1000, [this, alive = QPointer<QObject>(this)](bool) {
            if (!alive)
                return; // the view is gone: its animations end without it
            // B: the reader moves sideways so that its centre line is where the chip card stops.
            const float W = float(width());
            const float chipWidth = float(View::frame(cardChip_).width());
            const QRect shifted =
                withX(connectedReaderFrame_,
                      W - chipWidth - 10.0f - float(connectedReaderFrame_.width()) / 2.0f);
            ViewAnimation()
                .frame(reader_, shifted)
                .frame(readerFront_, shifted)
                .start(this, 500, [this, alive = QPointer<QObject>(this)](bool) {
                    if (!alive)
                        return; // the view is gone: its animations end without it
                    // C: the chip card slides in from the right edge.
                    const float W = float(width());
                    const QRect chip = View::frame(cardChip_);
                    ViewAnimation()
                        .frame(cardChip_, withX(chip, W - float(chip.width()) - 10.0f))
                        .start(this, 1000, [this, alive = QPointer<QObject>(this)](bool) {
                            if (!alive)
                                return; // the view is gone: its animations end without it
                            if (chipCardWasPresented_)
                                return; // the chip card stays inserted
                            // D: the chip card fades; E: the reader goes back to its place.
                            ViewAnimation()
                                .alpha(cardChip_, 0)
                                .start(this, 1000, [this, alive = QPointer<QObject>(this)](bool) {
                                    if (!alive)
                                        return; // the view is gone: its animations end without
                                                // it
                                    ViewAnimation()
                                        .frame(reader_, connectedReaderFrame_)
                                        .frame(readerFront_, connectedReaderFrame_)
                                        .start(
                                            this, 500,
                                            [this, alive = QPointer<QObject>(this)](bool) {
                                                if (!alive)
                                                    return; // the view is gone: its animations
                                                            // end without it
                                                View::setAlpha(cardChip_, 1);
                                                if (cardChip_)
                                                    View::setFrame(cardChip_,
                                                                   withX(View::frame(cardChip_),
                                                                         float(width()) + 10.0f));
                                                if (chipPhaseEndsLoop())
                                                    return;
                                                // F: the magnetic card swipes across.
                                                ViewAnimation()
                                                    .frame(reader_, connectedReaderFrame_)
                                                    .frame(readerFront_, connectedReaderFrame_)
                                                    .frame(cardSwipe_,
                                                           withX(View::frame(cardSwipe_),
                                                                 float(width())))
                                                    .start(this, 2000,
                                                           [this,
                                                            alive = QPointer<QObject>(this)](bool) {
                                                               if (alive)
                                                                   cardPassEnded();
                                                           });
                                            });
                                });
                        });
                });
        });
}

bool DSpreadPinpad::chipPhaseEndsLoop() {
    if (!isChipCard_)
        return false;
    if (inWindow())
        performAfterDelay(kAnimateReader, &DSpreadPinpad::animateReader, kLoopPauseMs);
    return true;
}

void DSpreadPinpad::cardPassEnded() {
    if (deviceIsConnected_) {
        cardAnimated_ = false;
        if (inWindow() && !swipeCardWasPresented_)
            performAfterDelay(kAnimateCard, &DSpreadPinpad::animateCard, kLoopPauseMs);
        return;
    }
    if (inWindow())
        performAfterDelay(kAnimateReader, &DSpreadPinpad::animateReader, kLoopPauseMs);
}

// ---------------------------------------------------------------- help and panels

QImage DSpreadPinpad::swipeIcon() {
    return UIKitSupport::bundleImage(swipeIconName());
}

QString DSpreadPinpad::swipeIconName() const {
    return QStringLiteral("swipePinpad40.png");
}

QString DSpreadPinpad::helpActionTitle() const {
    return QStringLiteral("OK");
}

QString DSpreadPinpad::supportPhoneNumber() {
    return QStringLiteral("0800-555-0100");
}

AlertController*
DSpreadPinpad::connectionErrorAlertControllerWithActionHandler(AlertAction::Handler handler) {
    const QString section = QStringLiteral("DeviceHelp");
    auto* alert = AlertController::alertControllerWithTitle(
        Language::textForFile(section, QStringLiteral("title")), QString());
    QFont font(QStringLiteral("Helvetica Neue"));
    font.setPixelSize(16);
    font.setWeight(QFont::Light);
    const QColor colour = VersionDispatch::blackTextColor();
    struct Row {
        QString text;
        QString image;
    };
    const QList<Row> rows = {
        {Language::textForFile(section, QStringLiteral("turnOff")),
         QStringLiteral("deviceHelpOff.png")},
        {Language::textForFile(section, QStringLiteral("charge")),
         QStringLiteral("deviceHelpCharge.png")},
        {TextFormatter::format(Language::textForFile(section, QStringLiteral("call")),
                               {supportPhoneNumber()}),
         QStringLiteral("deviceHelpPhone.png")},
    };
    for (const Row& row : rows)
        alert->addDetailWithConfigurationHandler([row, font, colour](QLabel* label, QLabel* image) {
            label->setTextFormat(Qt::RichText);
            label->setWordWrap(true);
            label->setText(Markup::styledRichText(row.text, font, colour));
            image->setPixmap(QPixmap::fromImage(UIKitSupport::bundleImage(row.image)));
        });
    alert->addAction(AlertAction::actionWithTitle(helpActionTitle(), 0, std::move(handler)));
    return alert;
}

QWidget* DSpreadPinpad::lowBatteryWithTitle(const QString& title, const QString& description) {
    if (lowBatteryTitle_)
        lowBatteryTitle_->setText(title);
    if (lowBatteryDescription_)
        lowBatteryDescription_->setText(description);
    return lowBatteryView_;
}

QImage DSpreadPinpad::rotateImage(const QImage& image, bool clockwise) {
    if (image.isNull())
        return {};
    return image.transformed(QTransform().rotate(clockwise ? 90 : -90));
}
