#pragma once

#include "platform/ui/Clock.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QWidget>

// A widget that shows one picture, or an animated picture whose frames run on the Clock.
// Giving it another picture (still or animated) stops the frames of the previous one, and
// so does destroying the view.
class ImageView : public QWidget {
    Q_OBJECT
public:
    // How the picture fills the view (values as the layout files number them).
    enum class ContentMode { ScaleToFill = 0, ScaleAspectFit = 1, ScaleAspectFill = 2, Center = 4 };

    explicit ImageView(QWidget* parent = nullptr);
    explicit ImageView(const QImage& image, QWidget* parent = nullptr);
    ~ImageView() override;

    // The still picture shown, or the current frame while animating; null when empty.
    QImage image() const;
    // Shows a still picture (a null image empties the view); stops any running frames.
    void setImage(const QImage& image);
    // Shows the bundle picture of that name (Services::images()); a missing one empties the
    // view. imageName() keeps the name until another picture is given.
    void setImageNamed(const QString& name);
    QString imageName() const { return imageName_; }

    // Shows the frames in order, over and over, durationMs for one round; stops the previous
    // picture. No frames empties the view; one frame shows it still.
    void setAnimatedImage(const QList<QImage>& frames, int durationMs);
    QList<QImage> animationFrames() const { return frames_; }
    int animationDurationMs() const { return durationMs_; }
    bool isAnimating() const;
    // Index of the frame on show (0 when not animating).
    int currentFrameIndex() const { return frameIndex_; }

    ContentMode contentMode() const { return contentMode_; }
    void setContentMode(ContentMode mode);

    // A template picture is drawn in the tint colour through its own alpha.
    bool isTemplate() const { return template_; }
    void setTemplate(bool isTemplate);
    QColor tintColor() const { return tint_; }
    void setTintColor(const QColor& color);

    QSize sizeHint() const override;

signals:
    void imageChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void stopFrames();
    void showFrame(int index);
    QImage shown_;
    QString imageName_;
    QList<QImage> frames_;
    int durationMs_ = 0;
    int frameIndex_ = 0;
    Clock::Handle frameTimer_ = 0;
    const Clock* frameClock_ = nullptr; // the clock the frames run on
    ContentMode contentMode_ = ContentMode::ScaleToFill;
    bool template_ = false;
    QColor tint_;
};
