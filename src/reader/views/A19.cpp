#include "reader/views/A19.h"

#include "platform/core/Logging.h"
#include "platform/ui/View.h"
#include "ui_kit/ViewAnimation.h"
#include "ui_kit/texts/Language.h"

namespace {

QString twoDecimals(const char* format, double value) {
    return QString::asprintf(format, value);
}

} // namespace

A19::A19(QWidget* parent)
    : DSpreadPinpad(parent, Pictures{QStringLiteral("readerA19.png"),
                                     QStringLiteral("readerA19-Top.png"),
                                     QStringLiteral("cardChipA19.png"),
                                     QStringLiteral("cardSwipe.png"),
                                     {140, 200},
                                     {120, 200},
                                     {190, 150}}) {
    setObjectName(QStringLiteral("A19"));
}

void A19::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (searchingDevice() || bluetoothEnabled() || readerAnimated())
        initialReaderPosition();
}

float A19::YPositionForFrame(const QRect& frame, float value) const {
    (void)frame;
    return float(height()) - 504.0f + value;
}

void A19::initialReaderPosition() {
    const QRect readerFrame = View::frame(reader_);
    for (const QString& line :
         {twoDecimals("View Size: %.02f", height()), twoDecimals("View Width: %.02f", width()),
          twoDecimals("Reader min X: %.02f", readerFrame.left()),
          twoDecimals("Reader max X: %.02f", readerFrame.x() + readerFrame.width()),
          twoDecimals("Reader min Y: %.02f", readerFrame.top()),
          twoDecimals("Reader max Y: %.02f", readerFrame.y() + readerFrame.height())})
        Logging::debug(tarvelloReader, line);
    const float W = float(width());
    if (reader_) {
        View::setFrame(reader_, QRect(qRound(W / 2.0f - float(readerFrame.width()) / 2.0f), 180,
                                      readerFrame.width(), readerFrame.height()));
        View::setFrame(readerFront_, View::frame(reader_));
    }
    if (cardChip_) {
        const QRect chip = View::frame(cardChip_);
        View::setFrame(cardChip_, QRect(qRound(getScreenXCenterForFrame(chip)),
                                        qRound(-(float(chip.height()) * 1.2f * 1.2f)), chip.width(),
                                        chip.height()));
    }
    if (noConnection_) {
        const QRect badge = View::frame(noConnection_);
        View::setFrame(noConnection_, QRect(qRound(getScreenXCenterForFrame(badge)), badge.y(),
                                            badge.width(), badge.height()));
    }
}

void A19::connectDevice() {
    View::setHidden(cardChip_, true);
    View::setHidden(cardSwipe_, true);
    setIsChipCard(false);
    setDeviceIsConnected(false);
    View::setAlpha(reader_, 0.5);
    View::setAlpha(noConnection_, 0);
    initialReaderPosition();
    setReaderAnimated(false);
}

void A19::badgeAppearChanges(ViewAnimation& animation) {
    if (View::alpha(reader_) != 0.5)
        animation.alpha(reader_, 0.5);
}

void A19::animateCard() {
    if (cardAnimated())
        return;
    setCardAnimated(true);
    if (cardChip_) {
        const QRect chip = View::frame(cardChip_);
        View::setFrame(cardChip_, QRect(chip.x(), qRound(-(float(chip.height()) * 1.2f)),
                                        chip.width(), chip.height()));
    }
    if (cardSwipe_)
        View::setFrame(cardSwipe_, QRect(-cardSwipe_->width(), cardSwipe_->y(), cardSwipe_->width(),
                                         cardSwipe_->height()));
    View::setAlpha(cardChip_, 1);
    View::setAlpha(cardSwipe_, 1);

    // A: the reader lights up and the badge goes; B: the chip card comes down into the slot.
    ViewAnimation()
        .alpha(reader_, 1)
        .alpha(noConnection_, 0)
        .start(this, 1000, [this, alive = QPointer<QObject>(this)](bool) {
            if (!alive)
                return; // the view is gone: its animations end without it
            const QRect chip = View::frame(cardChip_);
            ViewAnimation()
                .frame(cardChip_, QRect(chip.x(), 0, chip.width(), chip.height()))
                .start(this, 1000, [this, alive = QPointer<QObject>(this)](bool) {
                    if (!alive)
                        return; // the view is gone: its animations end without it
                    if (chipCardWasPresented())
                        return; // the chip card stays inserted
                    // C: the chip card fades, then goes back above the view.
                    ViewAnimation()
                        .alpha(cardChip_, 0)
                        .start(this, 1000, [this, alive = QPointer<QObject>(this)](bool) {
                            if (!alive)
                                return; // the view is gone: its animations end without it
                            View::setAlpha(cardChip_, 1);
                            if (cardChip_) {
                                const QRect chip = View::frame(cardChip_);
                                View::setFrame(cardChip_,
                                               QRect(chip.x(),
                                                     qRound(-(float(chip.height()) * 1.2f)),
                                                     chip.width(), chip.height()));
                            }
                            if (chipPhaseEndsLoop())
                                return;
                            // D: the magnetic card swipes across.
                            const QRect swipe = View::frame(cardSwipe_);
                            ViewAnimation()
                                .frame(cardSwipe_,
                                       QRect(width(), swipe.y(), swipe.width(), swipe.height()))
                                .start(this, 2000, [this, alive = QPointer<QObject>(this)](bool) {
                                    if (alive)
                                        cardPassEnded();
                                });
                        });
                });
        });
}

QList<QWidget*> A19::restartFadeOutViews() const {
    return {reader_, cardChip_, cardSwipe_};
}

QList<QWidget*> A19::restartFadeInViews() const {
    return {reader_};
}

QString A19::helpActionTitle() const {
    return Language::textForFile(QStringLiteral("ReadCard"), QStringLiteral("swipePopupOK"));
}

QString A19::swipeIconName() const {
    return QStringLiteral("swipeQPosBT40.png");
}
