#include "catalog/ItemColor.h"

#include "catalog/CatalogLook.h"
#include "platform/ui/View.h"

#include <QPainter>

namespace {

// The disc: a circle filled with the widget's background colour.
class Disc : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(View::backgroundColor(this));
        painter.drawEllipse(QRectF(rect()));
    }
};

} // namespace

ItemColor::ItemColor(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    resize(kDesignSide, kDesignSide);
    circle_ = new Disc(this);
    circle_->setObjectName(QStringLiteral("circle"));
    letter_ = new QLabel(this);
    letter_->setObjectName(QStringLiteral("letter"));
    letter_->setAlignment(Qt::AlignCenter);
    letter_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue"), kDesignFontSize));
    CatalogLook::setTextColor(letter_, Qt::white);
    circle_->setGeometry(rect());
    letter_->setGeometry(rect());
}

std::unique_ptr<ItemColor> ItemColor::init() {
    return std::make_unique<ItemColor>();
}

void ItemColor::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (circle_)
        circle_->setGeometry(rect());
    if (letter_)
        letter_->setGeometry(rect());
}

std::optional<QColor> ItemColor::colorWithName(int index) {
    static const int rgb[9][3] = {{102, 102, 102}, {175, 20, 60}, {195, 70, 10},
                                  {210, 140, 10},  {0, 115, 35},  {0, 135, 135},
                                  {10, 110, 205},  {35, 45, 165}, {110, 50, 170}};
    if (index < 0 || index > 8)
        return std::nullopt;
    if (index == 0)
        return QColor::fromRgbF(0.4f, 0.4f, 0.4f, 1.0f);
    return QColor::fromRgbF(float(rgb[index][0] / 255.0), float(rgb[index][1] / 255.0),
                            float(rgb[index][2] / 255.0), 1.0f);
}

QList<QColor> ItemColor::availableColors() {
    QList<QColor> colors;
    for (int i = 0; i <= 8; ++i)
        colors.append(*colorWithName(i));
    return colors;
}

std::unique_ptr<ItemColor> ItemColor::avatarView(const QString& text, const QColor& color,
                                                 int width) {
    auto view = init();
    view->letter()->setText(text);
    if (width > 70)
        view->letter()->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Medium"), 32));
    // A product without a colour takes the palette's first.
    View::setBackgroundColor(view->circle(), color.isValid() ? color : *colorWithName(0));
    // The colour fills the disc only, not the square around it.
    view->circle()->setAutoFillBackground(false);
    return view;
}

QImage ItemColor::itemWithLetter(const QString& text, const QColor& color, int width) {
    const int side = std::max(width, 1);
    auto view = avatarView(text, color, width);
    QImage drawn(view->size(), QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    view->render(&drawn, QPoint(), QRegion(), QWidget::DrawChildren);
    QImage result(side, side, QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(0, 0, side, side), drawn);
    return result;
}
