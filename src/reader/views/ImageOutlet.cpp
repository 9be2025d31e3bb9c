#include "reader/views/ImageOutlet.h"

namespace ReaderViews {

ImageView* imageOutlet(QWidget* parent, const QString& name, const QRect& frame,
                       const QString& imageName) {
    auto* view = new ImageView(parent);
    view->setObjectName(name);
    view->setGeometry(frame);
    if (!imageName.isEmpty())
        view->setImageNamed(imageName);
    return view;
}

} // namespace ReaderViews
