#pragma once

#include "platform/ui/Clock.h"

#include <functional>

class QWidget;

// A paged help card over a screen: its page turns and its closing. The page on show stands at
// x 10; a page that comes next enters from the right (x 310), one that comes before from the
// left (x -290), and the page it replaces leaves the other way.
namespace HelpCard {

inline constexpr int kPageX = 10;

// Moves the page index one step forward or back within [0, count - 1]. False, the index
// unchanged, when there is no page that way.
//   page 0 of 2: forward -> true, page 1; back -> false, page 0.
bool turn(int& page, int count, bool forward);

// Where a page enters the card.
constexpr int enterX(bool forward) {
    return forward ? 310 : -290;
}

// Slides newPage from enterX(forward) to kPageX and oldPage from where it stands out the
// other way over durationMs, on the card's clock context; the old page is deleted at the end.
// A turn still running (its handle in animation) stops first, its pages where they are; the
// new turn's handle is stored there.
void slide(QWidget* card, QWidget* oldPage, QWidget* newPage, bool forward, int durationMs,
           Clock::Handle& animation);

// Fades the card's overlay out over durationMs and deletes it, then runs closed.
void fadeOut(QWidget* overlay, int durationMs, std::function<void()> closed);

} // namespace HelpCard
