#pragma once

class QWidget;

namespace RoundCorners {

// Corner bits: top-left 1, top-right 2, bottom-left 4, bottom-right 8.
enum Corner { TopLeft = 1, TopRight = 2, BottomLeft = 4, BottomRight = 8, AllCorners = 15 };

// Clips the widget to its rectangle with the chosen corners rounded by the radius; the clip
// follows the widget's later sizes. Calling again replaces the corners and radius.
void roundCorners(QWidget* view, int corners, double radius);

} // namespace RoundCorners
