#include "ui_kit/HelpCard.h"

#include "platform/ui/View.h"

#include <QPointer>
#include <QWidget>
#include <cmath>

bool HelpCard::turn(int& page, int count, bool forward) {
    const int next = forward ? page + 1 : page - 1;
    if (next < 0 || next >= count)
        return false;
    page = next;
    return true;
}

void HelpCard::slide(QWidget* card, QWidget* oldPage, QWidget* newPage, bool forward,
                     int durationMs, Clock::Handle& animation) {
    Clock::current().cancel(animation);
    const int start = enterX(forward);
    const int leave = enterX(!forward);
    const int oldX = oldPage ? oldPage->x() : kPageX;
    QPointer<QWidget> leaving = oldPage;
    QPointer<QWidget> coming = newPage;
    if (coming)
        coming->move(start, coming->y());
    animation = Clock::current().animate(
        durationMs, card,
        [leaving, coming, oldX, start, leave](double t) {
            if (leaving)
                leaving->move(int(std::lround(oldX + (leave - oldX) * t)), leaving->y());
            if (coming)
                coming->move(int(std::lround(start + (kPageX - start) * t)), coming->y());
        },
        [leaving, coming](bool finished) {
            if (leaving)
                leaving->deleteLater();
            if (coming && finished)
                coming->move(kPageX, coming->y());
        });
}

void HelpCard::fadeOut(QWidget* overlay, int durationMs, std::function<void()> closed) {
    QPointer<QWidget> card = overlay;
    Clock::current().animate(
        durationMs, overlay,
        [card](double t) {
            if (card)
                View::setAlpha(card, 1 - t);
        },
        [card, closed = std::move(closed)](bool) {
            if (card)
                card->deleteLater();
            if (closed)
                closed();
        });
}
