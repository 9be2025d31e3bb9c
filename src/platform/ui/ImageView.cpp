#include "platform/ui/ImageView.h"

#include "platform/ui/Services.h"

#include <QPainter>

ImageView::ImageView(QWidget* parent)
    : QWidget(parent) {}

ImageView::ImageView(const QImage& image, QWidget* parent)
    : QWidget(parent) {
    setImage(image);
}

ImageView::~ImageView() {
    stopFrames();
}

QImage ImageView::image() const {
    return shown_;
}

void ImageView::stopFrames() {
    // A clock swapped since (tests) dropped the frames with itself.
    if (frameTimer_ && frameClock_ == &Clock::current())
        Clock::current().cancel(frameTimer_);
    frameTimer_ = 0;
    frameClock_ = nullptr;
    frameIndex_ = 0;
}

void ImageView::setImage(const QImage& image) {
    stopFrames();
    frames_.clear();
    durationMs_ = 0;
    imageName_.clear();
    shown_ = image;
    update();
    emit imageChanged();
}

void ImageView::setImageNamed(const QString& name) {
    setImage(name.isEmpty() ? QImage() : Services::images()->imageNamed(name, false));
    imageName_ = name;
}

void ImageView::setAnimatedImage(const QList<QImage>& frames, int durationMs) {
    stopFrames();
    imageName_.clear();
    frames_ = frames;
    durationMs_ = std::max(0, durationMs);
    shown_ = frames_.isEmpty() ? QImage() : frames_.first();
    if (frames_.size() > 1 && durationMs_ > 0) {
        const int interval = std::max(1, durationMs_ / int(frames_.size()));
        frameClock_ = &Clock::current();
        frameTimer_ = Clock::current().repeatEvery(
            interval, this, [this] { showFrame((frameIndex_ + 1) % int(frames_.size())); });
    }
    update();
    emit imageChanged();
}

void ImageView::showFrame(int index) {
    if (index < 0 || index >= frames_.size())
        return;
    frameIndex_ = index;
    shown_ = frames_.at(index);
    update();
}

bool ImageView::isAnimating() const {
    return frameTimer_ && frameClock_ == &Clock::current() &&
           Clock::current().isActive(frameTimer_);
}

void ImageView::setContentMode(ContentMode mode) {
    contentMode_ = mode;
    update();
}

void ImageView::setTemplate(bool isTemplate) {
    template_ = isTemplate;
    update();
}

void ImageView::setTintColor(const QColor& color) {
    tint_ = color;
    update();
}

QSize ImageView::sizeHint() const {
    if (shown_.isNull())
        return QSize(0, 0);
    return (QSizeF(shown_.size()) / shown_.devicePixelRatio()).toSize();
}

void ImageView::paintEvent(QPaintEvent*) {
    if (shown_.isNull())
        return;
    QImage picture = shown_;
    if (template_ && tint_.isValid()) {
        picture = shown_.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QPainter tinter(&picture);
        tinter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tinter.fillRect(picture.rect(), tint_);
    }
    const QSizeF natural = QSizeF(picture.size()) / picture.devicePixelRatio();
    const QRectF bounds = rect();
    QRectF target = bounds;
    switch (contentMode_) {
    case ContentMode::ScaleToFill:
        break;
    case ContentMode::ScaleAspectFit:
    case ContentMode::ScaleAspectFill: {
        const QSizeF scaled =
            natural.scaled(bounds.size(), contentMode_ == ContentMode::ScaleAspectFit
                                              ? Qt::KeepAspectRatio
                                              : Qt::KeepAspectRatioByExpanding);
        target = QRectF(QPointF(), scaled);
        target.moveCenter(bounds.center());
        break;
    }
    case ContentMode::Center:
        target = QRectF(QPointF(), natural);
        target.moveCenter(bounds.center());
        break;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setClipRect(bounds);
    painter.drawImage(target, picture);
}
