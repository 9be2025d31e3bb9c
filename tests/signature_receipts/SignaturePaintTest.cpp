#include "SignatureReceiptFixture.h"
#include "payment/signature_receipts/SignatureView.h"

#include <QApplication>
#include <QScreen>
#include <cmath>

namespace {

// Pixels whose grey level differs by more than a quarter between the two images.
int differingPixels(const QImage& a, const QImage& b) {
    const QImage left = a.convertToFormat(QImage::Format_RGB32);
    const QImage right = b.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < std::min(left.height(), right.height()); ++y)
        for (int x = 0; x < std::min(left.width(), right.width()); ++x)
            if (std::abs(qGray(left.pixel(x, y)) - qGray(right.pixel(x, y))) > 64)
                ++count;
    return count;
}

// While the finger moves, each repaint covers only what the new sample changed; what is on
// screen must still be the whole signature, with no trace of the segment as it was drawn live.
TEST(SignaturePaintTest, PartialRepaintsShowTheSameInkAsAFullOne) {
    SignatureView pad;
    pad.resize(300, 150);
    pad.setBackgroundColor(Qt::white);
    pad.show();
    QApplication::processEvents();

    ulong ms = 1000;
    sendMouse(&pad, QEvent::MouseButtonPress, {20, 75}, ms);
    QApplication::processEvents();
    for (int i = 1; i <= 120; ++i) {
        const QPointF at(20 + i * 2.2, 75 + 50 * std::sin(i / 6.0));
        sendMouse(&pad, QEvent::MouseMove, at, ms += 12 + (i % 5) * 4);
        QApplication::processEvents();
    }
    const QImage onScreen = pad.screen()->grabWindow(pad.winId()).toImage();
    const QImage whole = pad.grab().toImage();
    ASSERT_FALSE(onScreen.isNull());
    ASSERT_EQ(onScreen.size(), whole.size());
    EXPECT_GT(inkPixels(whole, whole.rect()), 300);
    EXPECT_EQ(differingPixels(onScreen, whole), 0);

    sendMouse(&pad, QEvent::MouseButtonRelease, {20 + 121 * 2.2, 75}, ms + 16);
    QApplication::processEvents();
    EXPECT_EQ(
        differingPixels(pad.screen()->grabWindow(pad.winId()).toImage(), pad.grab().toImage()), 0);
}

} // namespace
