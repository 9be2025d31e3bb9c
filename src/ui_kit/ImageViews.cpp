#include "ui_kit/ImageViews.h"

#include "ui_kit/UIKitSupport.h"

#include <QPixmap>

namespace {
const char* const kImageNameProperty = "imageName";
}

namespace ImageViews {

QLabel* make(QWidget* parent, const QString& objectName, const QRect& frame,
             const QString& imageName) {
    auto* view = new QLabel(parent);
    view->setObjectName(objectName);
    view->setScaledContents(true);
    view->setGeometry(frame);
    if (!imageName.isEmpty())
        setImageNamed(view, imageName);
    return view;
}

void setImageNamed(QLabel* view, const QString& name) {
    setImage(view, UIKitSupport::bundleImage(name), name);
}

void setImage(QLabel* view, const QImage& image, const QString& name) {
    if (!view)
        return;
    view->setPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
    view->setProperty(kImageNameProperty, name);
}

QString imageName(const QLabel* view) {
    return view ? view->property(kImageNameProperty).toString() : QString();
}

QImage image(const QLabel* view) {
    return view ? view->pixmap().toImage() : QImage();
}

} // namespace ImageViews
