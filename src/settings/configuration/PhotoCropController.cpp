#include "settings/configuration/PhotoCropController.h"

#include "platform/ui/View.h"
#include "ui_kit/texts/Language.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kMaxZoom = 4.0; // times the zoom at which the photo just covers the frame
}

// Paints the photo at the current zoom and offset under a square frame and moves it by drag
// and wheel, always keeping the frame covered.
class PhotoCropController::CropView : public QWidget {
public:
    CropView(const QImage& photo, QWidget* parent)
        : QWidget(parent)
        , photo_(photo) {
        setMinimumSize(120, 120);
    }

    QRectF frameRect() const {
        const double side = std::min(width(), height());
        return {(width() - side) / 2.0, (height() - side) / 2.0, side, side};
    }

    QRectF cropRect() {
        ensureFitted();
        const QRectF frame = frameRect();
        if (photo_.isNull() || scale_ <= 0)
            return {};
        const double side = frame.width() / scale_;
        QRectF crop((frame.left() - origin_.x()) / scale_, (frame.top() - origin_.y()) / scale_,
                    side, side);
        return crop.intersected(QRectF(photo_.rect()));
    }

protected:
    void resizeEvent(QResizeEvent*) override {
        fitted_ = false;
        ensureFitted();
    }

    void paintEvent(QPaintEvent*) override {
        ensureFitted();
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        if (!photo_.isNull()) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(QRectF(origin_, QSizeF(photo_.size()) * scale_), photo_);
        }
        const QRectF frame = frameRect();
        QPainterPath shade;
        shade.addRect(QRectF(rect()));
        QPainterPath hole;
        hole.addRect(frame);
        painter.fillPath(shade.subtracted(hole), QColor(0, 0, 0, 150));
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(frame.adjusted(0.5, 0.5, -0.5, -0.5));
    }

    void mousePressEvent(QMouseEvent* event) override {
        lastPoint_ = event->position();
        event->accept();
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!(event->buttons() & Qt::LeftButton))
            return;
        moveBy(event->position() - lastPoint_);
        lastPoint_ = event->position();
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        moveBy(event->position() - lastPoint_);
        lastPoint_ = event->position();
    }
    void wheelEvent(QWheelEvent* event) override {
        ensureFitted();
        const double factor = std::pow(1.0015, event->angleDelta().y());
        const double scale = std::clamp(scale_ * factor, minScale(), minScale() * kMaxZoom);
        // Zoom about the frame's centre.
        const QPointF centre = frameRect().center();
        origin_ = centre - (centre - origin_) * (scale / scale_);
        scale_ = scale;
        clampOrigin();
        update();
    }

private:
    double minScale() const {
        if (photo_.isNull())
            return 1.0;
        return frameRect().width() / std::min(photo_.width(), photo_.height());
    }

    // The photo starts centred, just covering the frame.
    void ensureFitted() {
        if (fitted_ || photo_.isNull() || width() <= 0 || height() <= 0)
            return;
        fitted_ = true;
        scale_ = minScale();
        const QSizeF shown = QSizeF(photo_.size()) * scale_;
        origin_ = QPointF((width() - shown.width()) / 2.0, (height() - shown.height()) / 2.0);
        clampOrigin();
    }

    void moveBy(const QPointF& delta) {
        ensureFitted();
        origin_ += delta;
        clampOrigin();
        update();
    }

    // The frame stays inside the photo.
    void clampOrigin() {
        const QRectF frame = frameRect();
        const QSizeF shown = QSizeF(photo_.size()) * scale_;
        origin_.setX(std::clamp(origin_.x(), frame.right() - shown.width(), frame.left()));
        origin_.setY(std::clamp(origin_.y(), frame.bottom() - shown.height(), frame.top()));
    }

    QImage photo_;
    double scale_ = 1.0;
    QPointF origin_;
    QPointF lastPoint_;
    bool fitted_ = false;
};

PhotoCropController::PhotoCropController(QImage photo, Completion completion, QObject* parent)
    : ViewController(parent)
    , photo_(std::move(photo))
    , completion_(std::move(completion)) {}

PhotoCropController::~PhotoCropController() = default;

QWidget* PhotoCropController::loadView() {
    auto* root = new QWidget();
    View::setBackgroundColor(root, Qt::black);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    cropView_ = new CropView(photo_, root);
    cropView_->setObjectName(QStringLiteral("cropView"));
    column->addWidget(cropView_, 1);
    auto* bar = new QWidget(root);
    auto* line = new QHBoxLayout(bar);
    line->setContentsMargins(16, 10, 16, 16);
    const QString style = QStringLiteral(
        "QPushButton { color: white; background: transparent; border: none; font-size: 17px; }");
    auto* cancelButton = new QPushButton(
        Language::textForFile(QStringLiteral("GlobalTexts"), QStringLiteral("cancel")), bar);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    cancelButton->setStyleSheet(style);
    auto* chooseButton = new QPushButton(
        Language::textForFile(QStringLiteral("GlobalTexts"), QStringLiteral("select")), bar);
    chooseButton->setObjectName(QStringLiteral("chooseButton"));
    chooseButton->setStyleSheet(style);
    line->addWidget(cancelButton);
    line->addStretch(1);
    line->addWidget(chooseButton);
    column->addWidget(bar);
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancel(); });
    connect(chooseButton, &QPushButton::clicked, this, [this] { choose(); });
    return root;
}

QRectF PhotoCropController::cropRect() const {
    return cropView_ ? cropView_->cropRect() : QRectF();
}

QImage PhotoCropController::croppedImage() const {
    const QRect area = cropRect().toAlignedRect().intersected(photo_.rect());
    if (area.isEmpty())
        return {};
    // The aligned rectangle may be a pixel off square: keep the shorter side.
    const int side = std::min(area.width(), area.height());
    return photo_.copy(QRect(area.topLeft(), QSize(side, side)));
}

void PhotoCropController::choose() {
    finish(croppedImage());
}

void PhotoCropController::cancel() {
    finish(QImage());
}

void PhotoCropController::finish(const QImage& result) {
    if (!completion_)
        return;
    Completion completion = std::move(completion_);
    completion_ = nullptr;
    completion(result);
}
