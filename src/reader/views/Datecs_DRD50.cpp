#include "reader/views/Datecs_DRD50.h"

#include "platform/core/Logging.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Services.h"
#include "platform/ui/View.h"
#include "reader/views/ImageOutlet.h"
#include "ui_kit/UIKitSupport.h"
#include "ui_kit/ViewAnimation.h"

#include <QPointer>
#include <QTransform>
#include <cmath>

namespace {

const QString kAnimateCard = QStringLiteral("animateCard");
const QString kAnimateReader = QStringLiteral("animateReader");
constexpr int kPauseMs = 500;

QRect at(const QRect& frame, float x, float y) {
    return QRect(qRound(x), qRound(y), frame.width(), frame.height());
}

QLabel* panelLabel(QWidget* parent, const QString& name, const QRect& frame) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(frame);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setTextFormat(Qt::RichText);
    return label;
}

} // namespace

Datecs_DRD50::Datecs_DRD50(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("Datecs_DRD50"));
    buildSubviews();
}

void Datecs_DRD50::buildSubviews() {
    // Back to front: the phone, the reader's back, the chip card that goes in under the
    // reader, the reader, the swiped card.
    iphone_ = ReaderViews::imageOutlet(this, QStringLiteral("iphone"), QRect(50, -276, 220, 434),
                                       QStringLiteral("drd50_phone.png"));
    readerBack_ =
        ReaderViews::imageOutlet(this, QStringLiteral("readerBack"), QRect(60, 235, 200, 190));
    readerBackPicture_ = UIKitSupport::bundleImage(QStringLiteral("drd50_reader_back.png"));
    readerBack_->setImage(readerBackPicture_);
    cardChip_ = ReaderViews::imageOutlet(this, QStringLiteral("cardChip"), QRect(85, 600, 150, 240),
                                         QStringLiteral("drd50_card_chip_480.png"));
    reader_ = ReaderViews::imageOutlet(this, QStringLiteral("reader"), QRect(60, 235, 200, 190),
                                       QStringLiteral("reader_drd50.png"));
    cardSwipe_ =
        ReaderViews::imageOutlet(this, QStringLiteral("cardSwipe"), QRect(-240, 213, 240, 150),
                                 QStringLiteral("creditcard_magstripe_back.png"));
    cardChip_->hide();
    cardSwipe_->hide();
    buildLowBatteryPanel();
    buildConnectionErrorPanel();
}

void Datecs_DRD50::buildLowBatteryPanel() {
    lowBatteryView_ = new QWidget(this);
    lowBatteryView_->setObjectName(QStringLiteral("lowBatteryView"));
    lowBatteryView_->setGeometry(0, 0, 320, 504);
    View::setBackgroundColor(lowBatteryView_, QColor(255, 255, 255));
    lowBatIcon_ =
        ReaderViews::imageOutlet(lowBatteryView_, QStringLiteral("lowBatIcon"),
                                 QRect(136, 90, 48, 48), QStringLiteral("drd50_battery.png"));
    lowBatteryTitle_ =
        panelLabel(lowBatteryView_, QStringLiteral("lowBatteryTitle"), QRect(20, 150, 280, 30));
    lowBatteryTitle_->setStyleSheet(
        QStringLiteral("font-size: 20px; font-weight: 600; color: #333333;"));
    lowBatteryDescription_ = panelLabel(lowBatteryView_, QStringLiteral("lowBatteryDescription"),
                                        QRect(20, 186, 280, 60));
    lowBatteryDescription_->setStyleSheet(QStringLiteral("font-size: 15px; color: #555555;"));
    lowBatReaderIcon_ =
        ReaderViews::imageOutlet(lowBatteryView_, QStringLiteral("lowBatReaderIcon"),
                                 QRect(136, 270, 48, 48), QStringLiteral("drd50_reader_icon.png"));
    lowBatCableIcon_ =
        ReaderViews::imageOutlet(lowBatteryView_, QStringLiteral("lowBatCableIcon"),
                                 QRect(136, 330, 48, 48), QStringLiteral("drd50_cable.png"));
    closeLowBatteryViewButton_ = new QPushButton(lowBatteryView_);
    closeLowBatteryViewButton_->setObjectName(QStringLiteral("closeLowBatteryViewButton"));
    closeLowBatteryViewButton_->setFlat(true);
    closeLowBatteryViewButton_->setStyleSheet(
        QStringLiteral("QPushButton { border: none; background: transparent; }"));
    closeLowBatteryViewButton_->setGeometry(0, 0, 320, 504);
    connect(closeLowBatteryViewButton_, &QPushButton::clicked, this,
            [this] { closeLowBatteryView(); });
    lowBatteryView_->hide();
}

void Datecs_DRD50::buildConnectionErrorPanel() {
    connectionErrorView_ = new QWidget(this);
    connectionErrorView_->setObjectName(QStringLiteral("connectionErrorView"));
    connectionErrorView_->setGeometry(0, 0, 320, 504);
    View::setBackgroundColor(connectionErrorView_, QColor(255, 255, 255));
    connectionErrorScroll_ = new QScrollArea(connectionErrorView_);
    connectionErrorScroll_->setObjectName(QStringLiteral("connectionErrorScroll"));
    connectionErrorScroll_->setFrameShape(QFrame::NoFrame);
    connectionErrorScroll_->setGeometry(0, 0, 320, 504);
    auto* column = new QWidget();
    column->setObjectName(QStringLiteral("connectionErrorColumn"));
    column->resize(320, 640);
    connectionErrorScroll_->setWidget(column);
    connectionErrorLabel_ =
        panelLabel(column, QStringLiteral("connectionErrorLabel"), QRect(20, 24, 280, 44));
    connectImg_ =
        ReaderViews::imageOutlet(column, QStringLiteral("connectImg"), QRect(140, 90, 40, 40),
                                 QStringLiteral("deviceHelpOff.png"));
    connectAgainLabel_ =
        panelLabel(column, QStringLiteral("connectAgainLabel"), QRect(20, 140, 280, 40));
    chargeImg_ =
        ReaderViews::imageOutlet(column, QStringLiteral("chargeImg"), QRect(140, 200, 40, 40),
                                 QStringLiteral("deviceHelpCharge.png"));
    chargeLabel_ = panelLabel(column, QStringLiteral("chargeLabel"), QRect(20, 250, 280, 40));
    phoneImg_ =
        ReaderViews::imageOutlet(column, QStringLiteral("phoneImg"), QRect(140, 310, 40, 40),
                                 QStringLiteral("deviceHelpPhone.png"));
    callLabel_ = panelLabel(column, QStringLiteral("callLabel"), QRect(20, 360, 280, 60));
    connectionErrorView_->hide();
}

// ---------------------------------------------------------------- geometry

float Datecs_DRD50::getScreenXCenterForFrame(const QRect& frame) const {
    return float(width()) / 2.0f - float(frame.width()) / 2.0f;
}

float Datecs_DRD50::YPositionForFrame(const QRect& frame, float value) const {
    (void)frame;
    return float(height()) - 504.0f + value;
}

QRect Datecs_DRD50::arrangeFrames(const QRect& frame, int offset) const {
    QRect arranged = frame;
    arranged.moveLeft(qRound(getScreenXCenterForFrame(frame)));
    if (offset > 0)
        arranged.moveTop(qRound(YPositionForFrame(frame, float(double(frame.y()) + offset))));
    return arranged;
}

QRect Datecs_DRD50::arrangeLowBatteryForFrame(const QRect& frame) const {
    return arrangeFrames(frame, -20);
}

QRect Datecs_DRD50::arrangeConnErrorForFrame(const QRect& frame) const {
    return arrangeFrames(frame, -40);
}

QRect Datecs_DRD50::changeY(int y, const QRect& frame) {
    QRect changed = frame;
    changed.moveTop(y);
    return changed;
}

bool Datecs_DRD50::is480Layout() {
    return Device::current().screenSize().height() == 480;
}

QRect Datecs_DRD50::readerAt(float y) const {
    const QRect frame = View::frame(reader_);
    return at(frame, getScreenXCenterForFrame(frame), y);
}

QRect Datecs_DRD50::readerBackAt(float y) const {
    return at(View::frame(readerBack_), getScreenXCenterForFrame(View::frame(reader_)), y);
}

void Datecs_DRD50::moveReaderToStart() {
    View::setFrame(reader_, readerAt(is480Layout() ? 14.0f : YPositionForFrame({}, 235)));
}

void Datecs_DRD50::moveReaderBackToStart() {
    View::setFrame(readerBack_,
                   readerBackAt(is480Layout() ? 198.0f : float(View::frame(reader_).y())));
}

void Datecs_DRD50::movePhoneToStart() {
    const QRect phone = View::frame(iphone_);
    View::setFrame(iphone_, at(phone, getScreenXCenterForFrame(phone),
                               is480Layout() ? 288.0f : YPositionForFrame({}, -276)));
}

void Datecs_DRD50::showAtStart(bool withPhone, void (Datecs_DRD50::*next)()) {
    moveReaderToStart();
    moveReaderBackToStart();
    if (withPhone)
        movePhoneToStart();
    ViewAnimation fadeIn;
    fadeIn.alpha(reader_, 1).alpha(readerBack_, 1);
    if (withPhone)
        fadeIn.alpha(iphone_, 1);
    fadeIn.start(this, 500, [this, next, alive = QPointer<QObject>(this)](bool finished) {
        if (!alive)
            return; // the view is gone: its animations end without it
        if (finished && inWindow())
            (this->*next)();
    });
}

bool Datecs_DRD50::inWindow() const {
    return ViewAnimation::isInWindow(this);
}

void Datecs_DRD50::requestAnimateReader() {
    delayed_.cancel(kAnimateReader);
    delayed_.perform(kAnimateReader, kPauseMs, [this] { animateReader(); });
}

// ---------------------------------------------------------------- cycles

void Datecs_DRD50::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    stopAnimations();
    // Set-up once the pass that carries the new size is over.
    Clock::current().callAfter(0, this, [this] { connectDevice(); });
}

void Datecs_DRD50::connectDevice() {
    View::setHidden(cardChip_, true);
    View::setHidden(cardSwipe_, true);
    cardWasSwiped_ = false;
    cardWasInserted_ = false;
    if (is480Layout()) {
        reader_->setImageNamed(QStringLiteral("reader_drd50_front.png"));
        cardSwipe_->setImageNamed(QStringLiteral("creditcard_magstripe.png"));
        readerBack_->setImage(readerBackPicture_.transformed(QTransform().rotate(180)));
        if (cardSwipe_)
            View::setFrame(cardSwipe_, QRect(-cardSwipe_->width(), 36, cardSwipe_->width(),
                                             cardSwipe_->height()));
        moveReaderToStart();
        moveReaderBackToStart();
        movePhoneToStart();
    } else {
        reader_->setImageNamed(QStringLiteral("reader_drd50.png"));
        cardSwipe_->setImageNamed(QStringLiteral("creditcard_magstripe_back.png"));
        movePhoneToStart();
        moveReaderToStart();
        const QRect back = View::frame(readerBack_);
        View::setFrame(readerBack_,
                       at(back, getScreenXCenterForFrame(back), float(View::frame(reader_).y())));
        if (cardSwipe_)
            View::setFrame(cardSwipe_,
                           QRect(-cardSwipe_->width(), qRound(YPositionForFrame({}, 213)),
                                 cardSwipe_->width(), cardSwipe_->height()));
        // The stripe card turned to stand upright and mirrored, as the card going into the slot.
        const QImage card =
            UIKitSupport::bundleImage(QStringLiteral("creditcard_magstripe_back.png"));
        cardChip_->setImage(card.transformed(QTransform().rotate(-90)).mirrored(true, false));
    }
    Clock::current().callAfter(0, this, [this] { animateReader(); });
}

void Datecs_DRD50::animateReader() {
    const QRect readerFrame = View::frame(reader_);
    const QRect phoneFrame = View::frame(iphone_);
    const QList<QPair<const char*, double>> lines = {
        {"View Size: %.02f", height()},
        {"View Width: %.02f", width()},
        {"Reader min X: %.02f", readerFrame.left()},
        {"Reader max X: %.02f", readerFrame.x() + readerFrame.width()},
        {"Reader min Y: %.02f", readerFrame.top()},
        {"Reader max Y: %.02f", readerFrame.y() + readerFrame.height()},
        {"iPhone min Y: %.02f", phoneFrame.top()},
        {"iPhone max Y: %.02f", phoneFrame.y() + phoneFrame.height()}};
    for (const auto& [format, value] : lines)
        Logging::debug(tarvelloReader, QString::asprintf(format, value));

    const bool small = is480Layout();
    const float approach = small ? 91.0f : YPositionForFrame({}, 158);
    ViewAnimation()
        .frame(reader_, readerAt(approach))
        .frame(readerBack_, readerBackAt(small ? 275.0f : approach))
        .start(this, 1000, [this, alive = QPointer<QObject>(this)](bool) {
            if (!alive)
                return; // the view is gone: its animations end without it
            const bool small = is480Layout();
            if (deviceIsConnected_) {
                const float joined = small ? 155.0f : YPositionForFrame({}, 47);
                const QRect phone = View::frame(iphone_);
                ViewAnimation()
                    .frame(reader_, readerAt(joined))
                    .frame(readerBack_, readerBackAt(small ? 339.0f : joined))
                    .frame(iphone_, at(phone, getScreenXCenterForFrame(phone),
                                       small ? 352.0f : YPositionForFrame({}, -387)))
                    .start(this, 500, [this, alive = QPointer<QObject>(this)](bool finished) {
                        if (!alive)
                            return; // the view is gone: its animations end without it
                        View::setHidden(cardSwipe_, false);
                        View::setHidden(cardChip_, false);
                        if (finished && inWindow())
                            animateCard();
                    });
                return;
            }
            ViewAnimation()
                .alpha(reader_, 0)
                .alpha(readerBack_, 0)
                .start(this, 500, [this, alive = QPointer<QObject>(this)](bool) {
                    if (!alive)
                        return; // the view is gone: its animations end without it
                    if (is480Layout())
                        movePhoneToStart();
                    showAtStart(false, &Datecs_DRD50::requestAnimateReader);
                });
        });
}

void Datecs_DRD50::animateCard() {
    if (cardWasInserted_ || cardWasSwiped_)
        return;
    const bool small = is480Layout();
    if (cardSwipe_)
        View::setFrame(cardSwipe_, QRect(-cardSwipe_->width(), cardSwipe_->y(), cardSwipe_->width(),
                                         cardSwipe_->height()));
    View::setAlpha(cardSwipe_, 1);
    auto chipStart = [this] {
        const QRect chip = View::frame(cardChip_);
        return at(chip, getScreenXCenterForFrame(chip),
                  is480Layout() ? -float(chip.height()) : float(height()) + 10.0f);
    };
    View::setFrame(cardChip_, chipStart());
    const QRect chip = View::frame(cardChip_);
    ViewAnimation()
        .frame(cardChip_, at(chip, float(chip.x()), small ? -69.0f : YPositionForFrame({}, 188)))
        .start(this, 1000, [this, chipStart, alive = QPointer<QObject>(this)](bool) {
            if (!alive)
                return; // the view is gone: its animations end without it
            if (cardWasInserted_)
                return; // the chip card stays inserted
            ViewAnimation()
                .alpha(cardChip_, 0)
                .start(this, 1000, [this, chipStart, alive = QPointer<QObject>(this)](bool) {
                    if (!alive)
                        return; // the view is gone: its animations end without it
                    View::setFrame(cardChip_, chipStart());
                    View::setAlpha(cardChip_, 1);
                    const QRect swipe = View::frame(cardSwipe_);
                    ViewAnimation()
                        .frame(cardSwipe_, at(swipe, float(width()), float(swipe.y())))
                        .start(this, 3000, [this, alive = QPointer<QObject>(this)](bool) {
                            if (!alive)
                                return; // the view is gone: its animations end without it
                            if (deviceIsConnected_) {
                                delayed_.cancel(kAnimateCard);
                                if (!cardWasSwiped_)
                                    delayed_.perform(kAnimateCard, kPauseMs,
                                                     [this] { animateCard(); });
                                return;
                            }
                            ViewAnimation()
                                .alpha(reader_, 0)
                                .alpha(readerBack_, 0)
                                .alpha(iphone_, 0)
                                .start(this, 500, [this, alive = QPointer<QObject>(this)](bool) {
                                    if (!alive)
                                        return; // the view is gone: its animations end
                                                // without it
                                    showAtStart(true, &Datecs_DRD50::requestAnimateReader);
                                });
                        });
                });
        });
}

void Datecs_DRD50::stopAnimations() {
    delayed_.cancel(kAnimateCard);
    delayed_.cancel(kAnimateReader);
    for (QWidget* view : {static_cast<QWidget*>(this), static_cast<QWidget*>(reader_),
                          static_cast<QWidget*>(cardChip_), static_cast<QWidget*>(cardSwipe_)})
        ViewAnimation::removeAllAnimations(view);
}

void Datecs_DRD50::restartAnimations() {
    cardWasSwiped_ = false;
    cardWasInserted_ = false;
    ViewAnimation fade;
    fade.alpha(cardChip_, 0).alpha(cardSwipe_, 0);
    if (!deviceIsConnected_)
        fade.alpha(reader_, 0).alpha(readerBack_, 0).alpha(iphone_, 0);
    fade.start(this, 500, [this, alive = QPointer<QObject>(this)](bool finished) {
        if (!alive)
            return; // the view is gone: its animations end without it
        if (!deviceIsConnected_) {
            View::setHidden(cardChip_, true);
            View::setHidden(cardSwipe_, true);
            showAtStart(true, &Datecs_DRD50::animateReader);
            return;
        }
        if (cardSwipe_)
            View::setFrame(cardSwipe_, QRect(-cardSwipe_->width(), cardSwipe_->y(),
                                             cardSwipe_->width(), cardSwipe_->height()));
        View::setAlpha(cardSwipe_, 1);
        if (finished && inWindow())
            animateCard();
    });
}

void Datecs_DRD50::deviceConnected() {
    deviceIsConnected_ = true;
}

void Datecs_DRD50::deviceDisconnected() {
    deviceIsConnected_ = false;
    cardWasSwiped_ = false;
    cardWasInserted_ = false;
}

void Datecs_DRD50::cardInserted() {
    cardWasInserted_ = true;
}

void Datecs_DRD50::cardSwiped() {
    cardWasSwiped_ = true;
}

// ---------------------------------------------------------------- panels

QWidget* Datecs_DRD50::lowBatteryWithTitle(const QString& title, const QString& description,
                                           bool stillWorking) {
    if (lowBatteryTitle_) {
        lowBatteryTitle_->setText(title);
        View::setFrame(lowBatteryTitle_, arrangeLowBatteryForFrame(View::frame(lowBatteryTitle_)));
    }
    if (lowBatteryDescription_) {
        lowBatteryDescription_->setText(description);
        View::setFrame(lowBatteryDescription_,
                       arrangeLowBatteryForFrame(View::frame(lowBatteryDescription_)));
    }
    for (ImageView* icon : {lowBatIcon_.data(), lowBatReaderIcon_.data(), lowBatCableIcon_.data()})
        if (icon)
            View::setFrame(icon, arrangeLowBatteryForFrame(View::frame(icon)));
    if (closeLowBatteryViewButton_) {
        View::setFrame(closeLowBatteryViewButton_, rect());
        closeLowBatteryViewButton_->setHidden(!stillWorking);
    }
    return lowBatteryView_;
}

void Datecs_DRD50::closeLowBatteryView() {
    if (auto* delegate = dynamic_cast<Datecs_DRD50_Delegate*>(delegate_.data()))
        delegate->lowBatteryViewClosed();
}

QWidget* Datecs_DRD50::connectionError(const QString& error, const QString& connectAgain,
                                       const QString& tryCharging, const QString& orCall) {
    const int Hn = int(std::trunc(double(height())));
    for (QWidget* view :
         {static_cast<QWidget*>(connectionErrorLabel_), static_cast<QWidget*>(connectAgainLabel_),
          static_cast<QWidget*>(chargeLabel_), static_cast<QWidget*>(callLabel_),
          static_cast<QWidget*>(connectImg_), static_cast<QWidget*>(chargeImg_),
          static_cast<QWidget*>(phoneImg_)})
        if (view)
            View::setFrame(view, arrangeConnErrorForFrame(View::frame(view)));
    auto heightOf = [](QWidget* view) { return view ? double(view->height()) : 0.0; };
    auto place = [](QWidget* view, int y) {
        if (view)
            View::setFrame(view, changeY(y, View::frame(view)));
    };
    auto grow = [](int y, double by) { return int(std::trunc(double(y) + by)); };
    int y = 24;
    int gap = 25;
    const int step = 8;
    if (Hn > 504) {
        gap = 40;
        y = 34;
    }
    place(connectionErrorLabel_, y);
    if (Hn == 416) {
        gap = 30;
        View::setHidden(connectImg_, true);
        y = grow(y, 20);
    } else {
        y = grow(y, heightOf(connectionErrorLabel_) + gap);
        place(connectImg_, y);
        y = grow(y, heightOf(connectImg_) + step);
    }
    place(connectAgainLabel_, y);
    y = grow(y, heightOf(connectAgainLabel_) + gap);
    place(chargeImg_, y);
    y = grow(y, heightOf(chargeImg_) + step);
    place(chargeLabel_, y);
    y = grow(y, heightOf(chargeLabel_) + gap);
    place(phoneImg_, y);
    y = grow(y, heightOf(phoneImg_) + step);
    place(callLabel_, y);
    View::setFrame(connectionErrorScroll_, QRect(0, 0, width(), Hn));
    const QList<QPair<QLabel*, QString>> texts = {{connectionErrorLabel_, error},
                                                  {connectAgainLabel_, connectAgain},
                                                  {chargeLabel_, tryCharging},
                                                  {callLabel_, orCall}};
    for (const auto& [label, text] : texts)
        if (label)
            label->setText(text);
    return connectionErrorView_;
}
