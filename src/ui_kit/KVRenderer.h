#pragma once

#include <QImage>
#include <QPainter>
#include <QSizeF>
#include <functional>

// Draws a picture off screen. The drawing always runs on the main thread; a caller on another
// thread waits until it is done.
class KVRenderer {
public:
    using DrawingBlock = std::function<void(QPainter& painter)>;

    // A picture of the size in points at the screen's scale: transparent where the block draws
    // nothing when transparency is on, else opaque (black where nothing is drawn). The block
    // draws in points, its origin at the top left.
    static QImage renderImageWithSize(const QSizeF& size, bool transparency,
                                      const DrawingBlock& drawingBlock);
};
