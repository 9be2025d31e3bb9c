#include "platform/ui/ImageView.h"
#include "platform/ui/Clock.h"

#include <QPainter>
#include <QPointer>
#include <gtest/gtest.h>

namespace {

QImage solidImage(const QColor& color, QSize size = QSize(4, 4)) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

QList<QImage> fourFrames() {
    return {solidImage(Qt::red), solidImage(Qt::green), solidImage(Qt::blue),
            solidImage(Qt::yellow)};
}

} // namespace

TEST(ImageView, FramesRunOnTheClockAndStopWhenReplaced) {
    ScopedManualClock clock;
    ImageView view;
    const QList<QImage> frames = fourFrames();
    view.setAnimatedImage(frames, 400); // 100 ms a frame
    EXPECT_TRUE(view.isAnimating());
    EXPECT_EQ(view.image(), frames[0]);
    clock->advance(100);
    EXPECT_EQ(view.image(), frames[1]);
    clock->advance(300);
    EXPECT_EQ(view.currentFrameIndex(), 0); // round again
    EXPECT_EQ(view.image(), frames[0]);

    const QImage still = solidImage(Qt::black);
    view.setImage(still);
    EXPECT_FALSE(view.isAnimating());
    EXPECT_EQ(clock->pendingCount(), 0);
    clock->advance(1000);
    EXPECT_EQ(view.image(), still);
    EXPECT_TRUE(view.animationFrames().isEmpty());

    // New frames replace the old ones: one timer only.
    view.setAnimatedImage(frames, 400);
    view.setAnimatedImage(frames.mid(0, 2), 200);
    EXPECT_EQ(clock->pendingCount(), 1);
    clock->advance(100);
    EXPECT_EQ(view.image(), frames[1]);
}

TEST(ImageView, DestroyedViewLeavesNoFramesRunning) {
    ScopedManualClock clock;
    auto* view = new ImageView();
    view->setAnimatedImage(fourFrames(), 400);
    ASSERT_EQ(clock->pendingCount(), 1);
    delete view;
    clock->advance(1000); // nothing fires into the deleted view
    EXPECT_EQ(clock->pendingCount(), 0);
}

TEST(ImageView, EdgeFramesAndNames) {
    ScopedManualClock clock;
    ImageView view;
    view.setAnimatedImage({}, 400);
    EXPECT_TRUE(view.image().isNull());
    EXPECT_FALSE(view.isAnimating());
    view.setAnimatedImage({solidImage(Qt::red)}, 400);
    EXPECT_FALSE(view.isAnimating()); // one frame stays still
    EXPECT_FALSE(view.image().isNull());

    view.setImageNamed(QStringLiteral("menu.png"));
    EXPECT_EQ(view.imageName(), QStringLiteral("menu.png"));
    EXPECT_FALSE(view.image().isNull());
    view.setImageNamed(QStringLiteral("no-such-picture.png"));
    EXPECT_TRUE(view.image().isNull());
    view.setImage(solidImage(Qt::red));
    EXPECT_TRUE(view.imageName().isEmpty());
}

TEST(ImageView, TemplatePictureIsDrawnInTheTint) {
    ImageView view;
    QImage mark(8, 8, QImage::Format_ARGB32);
    mark.fill(Qt::transparent);
    QPainter(&mark).fillRect(0, 0, 4, 8, Qt::black);
    view.setImage(mark);
    view.setTemplate(true);
    view.setTintColor(QColor(0, 128, 255));
    view.resize(8, 8);
    const QImage shot = view.grab().toImage();
    EXPECT_EQ(shot.pixelColor(1, 4).rgb(), QColor(0, 128, 255).rgb());
    EXPECT_NE(shot.pixelColor(6, 4).rgb(), QColor(0, 128, 255).rgb());
}

TEST(ImageView, CenterModeKeepsTheNaturalSize) {
    ImageView view;
    view.setAttribute(Qt::WA_TranslucentBackground);
    view.setImage(solidImage(Qt::red, QSize(10, 10)));
    view.setContentMode(ImageView::ContentMode::Center);
    view.resize(30, 30);
    QImage canvas(30, 30, QImage::Format_ARGB32);
    canvas.fill(Qt::white);
    view.render(&canvas);
    EXPECT_EQ(canvas.pixelColor(15, 15), QColor(Qt::red));
    EXPECT_EQ(canvas.pixelColor(5, 5), QColor(Qt::white));
    EXPECT_EQ(view.sizeHint(), QSize(10, 10));
}
